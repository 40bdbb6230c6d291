// The serial port on QSerialPort. CommPort n opens /dev/ttyS<n-1>, unless
// the per-user store names another device for it (section "Ports", key
// "COM<n>": /dev/ttyUSB0, or a pty in tests). Received bytes are collected
// while the event loop runs; written bytes go out at once. An open fails,
// naming them, when the device will not hold the line settings or the
// handshaking asked for. A device that vanishes or hangs up while open closes
// the port and raises DeviceLost.
#pragma once

#include <QSerialPort>
#include <string>

#include "platform/registry.h"
#include "platform/serial_port.h"
#include "qt/serial_settings.h"

namespace qtui {

class QtSerialPort : public platform::SerialPort {
 public:
  // The registry is read at each open; it must outlive the port.
  explicit QtSerialPort(platform::Registry& registry);
  ~QtSerialPort() override;

  // The device path CommPort n opens.
  std::string DevicePath(int comm_port) const;

  bool PortOpen() const override;
  bool SetPortOpen(bool open) override;
  const std::string& LastError() const override { return last_error_; }
  const std::string& RefusedSettings() const override { return refused_; }
  int InBufferCount() const override;
  std::string Input() override;
  void Output(std::string_view bytes) override;

 private:
  bool Open();
  void OnPortError(QSerialPort::SerialPortError error);
  // Applies the settings to the open device; false (refused_ set) when it
  // does not hold them all.
  bool ApplyLineSettings(const SerialLineSettings& line);

  platform::Registry& registry_;
  QSerialPort port_;
  std::string last_error_;
  std::string refused_;
  std::string opened_path_;  // the device of the last open, for messages
};

}  // namespace qtui
