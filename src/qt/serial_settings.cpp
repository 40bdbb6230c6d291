#include "qt/serial_settings.h"

#include "platform/line_settings.h"

namespace qtui {

std::optional<SerialLineSettings> ParseSerialSettings(std::string_view settings) {
  const auto parsed = platform::ParseLineSettings(settings);
  if (!parsed) return std::nullopt;
  SerialLineSettings out;
  out.baud = parsed->baud;
  switch (parsed->parity) {
    case 'e': out.parity = QSerialPort::EvenParity; break;
    case 'o': out.parity = QSerialPort::OddParity; break;
    case 'm': out.parity = QSerialPort::MarkParity; break;
    case 's': out.parity = QSerialPort::SpaceParity; break;
    default: out.parity = QSerialPort::NoParity; break;
  }
  out.data_bits = static_cast<QSerialPort::DataBits>(parsed->data_bits);
  out.stop_bits = parsed->stop_tenths == 15   ? QSerialPort::OneAndHalfStop
                  : parsed->stop_tenths == 20 ? QSerialPort::TwoStop
                                              : QSerialPort::OneStop;
  return out;
}

Handshake HandshakeFor(int handshaking) {
  switch (handshaking) {
    case 1: return {.rts_cts = false, .xon_xoff = true};
    case 2: return {.rts_cts = true, .xon_xoff = false};
    case 3: return {.rts_cts = true, .xon_xoff = true};
    default: return {};
  }
}

QSerialPort::FlowControl FlowControlFor(const Handshake& handshake) {
  if (handshake.rts_cts) return QSerialPort::HardwareControl;
  if (handshake.xon_xoff) return QSerialPort::SoftwareControl;
  return QSerialPort::NoFlowControl;
}

}  // namespace qtui
