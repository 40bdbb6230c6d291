#include "qt/qt_serial_port.h"

#include <poll.h>

#include <QMetaObject>

#include "platform/input_limit.h"
#include "qt/qt_convert.h"
#include "qt/serial_line_check.h"
#include "qt/serial_settings.h"

namespace qtui {

namespace {

constexpr int kHighestCommPort = 16;

// The communications control's wording for the failures the program shows.
std::string OpenErrorText(QSerialPort::SerialPortError error, const QString& detail) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError: return "Invalid port number";
    case QSerialPort::PermissionError: return "Port already in use";
    case QSerialPort::OpenError: return "Port already open";
    default: return FromQt(detail);
  }
}

// The line has hung up or failed for good: a pty whose other end closed
// reads as end-of-file with POLLHUP from then on, and its read notifier would
// fire without end.
bool LineHungUp(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

QtSerialPort::QtSerialPort(platform::Registry& registry) : registry_(registry) {
  // Input the program has not taken stays in the device (the kernel's buffer).
  port_.setReadBufferSize(static_cast<qint64>(platform::kInputHeld));
  QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                   [this](QSerialPort::SerialPortError error) { OnPortError(error); });
}

// A device that vanishes (a USB adapter pulled out: ResourceError) or whose
// line hangs up (a read or write fails and the line reports the hang-up) is
// closed at once, which also stops its polling, and the owner is told once
// the signal has returned.
void QtSerialPort::OnPortError(QSerialPort::SerialPortError error) {
  if (!port_.isOpen()) return;
  const bool failed = error == QSerialPort::ReadError || error == QSerialPort::WriteError;
  const int fd = static_cast<int>(port_.handle());
  const std::string& device = opened_path_;
  if (error == QSerialPort::ResourceError) {
    last_error_ = device + " failed (" + FromQt(port_.errorString()) + ")";
  } else if (failed && LineHungUp(fd)) {
    last_error_ = device + " hung up";
  } else {
    return;
  }
  port_.close();
  QMetaObject::invokeMethod(
      &port_, [this] {
        if (DeviceLost) DeviceLost();
      },
      Qt::QueuedConnection);
}

QtSerialPort::~QtSerialPort() { port_.close(); }

std::string QtSerialPort::DevicePath(int comm_port) const {
  const std::string key = "COM" + std::to_string(comm_port);
  const std::string named = registry_.GetSetting("Ports", key, "");
  if (!named.empty()) return named;
  return "/dev/ttyS" + std::to_string(comm_port - 1);
}

bool QtSerialPort::PortOpen() const { return port_.isOpen(); }

bool QtSerialPort::SetPortOpen(bool open) {
  if (!open) {
    port_.close();
    return true;
  }
  if (port_.isOpen()) {
    last_error_ = "Port already open";
    return false;
  }
  return Open();
}

bool QtSerialPort::Open() {
  last_error_.clear();
  refused_.clear();
  if (CommPort < 1 || CommPort > kHighestCommPort) {
    last_error_ = "Invalid port number";
    return false;
  }
  const std::optional<SerialLineSettings> line = ParseSerialSettings(Settings);
  if (!line) {
    refused_ = "\"" + Settings + "\"";
    last_error_ = "Invalid port settings: " + Settings;
    return false;
  }
  opened_path_ = DevicePath(CommPort);
  port_.setPortName(PathToQt(opened_path_));
  if (!port_.open(QIODevice::ReadWrite)) {
    last_error_ = OpenErrorText(port_.error(), port_.errorString());
    return false;
  }
  if (!ApplyLineSettings(*line)) {
    port_.close();
    last_error_ = "The port refuses " + refused_;
    return false;
  }
  return true;
}

bool QtSerialPort::ApplyLineSettings(const SerialLineSettings& line) {
  // The setters' answers are not trusted alone: some drivers take a setting
  // and keep another, so what the device holds is read back afterwards.
  port_.setBaudRate(line.baud);
  port_.setParity(line.parity);
  port_.setDataBits(line.data_bits);
  port_.setStopBits(line.stop_bits);
  const Handshake handshake = HandshakeFor(Handshaking);
  port_.setFlowControl(FlowControlFor(handshake));
  const int fd = static_cast<int>(port_.handle());
  // "Both": the port's one mode is RTS/CTS, and XON/XOFF goes on beside it.
  if (handshake.rts_cts && handshake.xon_xoff) AddXonXoff(fd);
  // A pty has no modem lines; RTS is a request the line may not carry, and a
  // port without it still talks.
  if (!handshake.rts_cts) port_.setRequestToSend(RTSEnable);
  port_.clearError();
  const std::vector<std::string> refused = SettingsNotHeld(fd, line, handshake);
  for (const std::string& name : refused) refused_ += (refused_.empty() ? "" : ", ") + name;
  return refused_.empty();
}

int QtSerialPort::InBufferCount() const {
  return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0;
}

std::string QtSerialPort::Input() {
  if (!port_.isOpen()) return {};
  const QByteArray bytes = port_.readAll();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void QtSerialPort::Output(std::string_view bytes) {
  if (!port_.isOpen() || bytes.empty()) return;
  port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
  port_.flush();  // out now, without waiting for the event loop
}

}  // namespace qtui
