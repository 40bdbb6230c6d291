// The line settings text of the serial port ("9600,n,8,1": baud, parity
// n/e/o/m/s, data bits 5-8, stop bits 1, 1.5 or 2) and the handshaking codes
// (0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both), in QSerialPort's terms.
#pragma once

#include <QSerialPort>
#include <optional>
#include <string_view>

namespace qtui {

struct SerialLineSettings {
  qint32 baud = 9600;
  QSerialPort::Parity parity = QSerialPort::NoParity;
  QSerialPort::DataBits data_bits = QSerialPort::Data8;
  QSerialPort::StopBits stop_bits = QSerialPort::OneStop;
};

// Nothing when the text is not a valid setting.
std::optional<SerialLineSettings> ParseSerialSettings(std::string_view settings);

// The handshakes a handshaking code asks for; code 3 asks for both.
struct Handshake {
  bool rts_cts = false;
  bool xon_xoff = false;
  bool operator==(const Handshake&) const = default;
};
Handshake HandshakeFor(int handshaking);

// The one mode QSerialPort offers for it: RTS/CTS where both are asked
// for (the port then adds XON/XOFF on the device itself).
QSerialPort::FlowControl FlowControlFor(const Handshake& handshake);

}  // namespace qtui
