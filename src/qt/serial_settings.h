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

// Both XON/XOFF and RTS/CTS at once is not a mode the port offers: the
// hardware handshake wins.
QSerialPort::FlowControl FlowControlFor(int handshaking);

}  // namespace qtui
