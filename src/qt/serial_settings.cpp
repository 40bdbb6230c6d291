#include "qt/serial_settings.h"

#include <QString>
#include <QStringList>

namespace qtui {

std::optional<SerialLineSettings> ParseSerialSettings(std::string_view settings) {
  const QStringList parts =
      QString::fromLatin1(settings.data(), static_cast<qsizetype>(settings.size())).split(QLatin1Char(','));
  if (parts.size() != 4) return std::nullopt;
  SerialLineSettings out;
  bool ok = false;
  out.baud = parts[0].trimmed().toInt(&ok);
  if (!ok || out.baud <= 0) return std::nullopt;

  const QString parity = parts[1].trimmed().toLower();
  if (parity == QLatin1String("n")) out.parity = QSerialPort::NoParity;
  else if (parity == QLatin1String("e")) out.parity = QSerialPort::EvenParity;
  else if (parity == QLatin1String("o")) out.parity = QSerialPort::OddParity;
  else if (parity == QLatin1String("m")) out.parity = QSerialPort::MarkParity;
  else if (parity == QLatin1String("s")) out.parity = QSerialPort::SpaceParity;
  else return std::nullopt;

  const int data_bits = parts[2].trimmed().toInt(&ok);
  if (!ok || data_bits < 5 || data_bits > 8) return std::nullopt;
  out.data_bits = static_cast<QSerialPort::DataBits>(data_bits);

  const QString stop = parts[3].trimmed();
  if (stop == QLatin1String("1")) out.stop_bits = QSerialPort::OneStop;
  else if (stop == QLatin1String("1.5")) out.stop_bits = QSerialPort::OneAndHalfStop;
  else if (stop == QLatin1String("2")) out.stop_bits = QSerialPort::TwoStop;
  else return std::nullopt;
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
