// A serial port on virtual time: what the console writes is recorded with
// its time and handed to the peer (a simulated modem or unit); what the peer
// sends arrives in the input buffer at the time it is delivered.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "common/vb_date.h"
#include "platform/serial_port.h"
#include "virtual_runtime.h"

namespace testkit {

struct TimedBytes {
  vb::DateTime at;
  std::string bytes;
};

class FakeSerialPort : public platform::SerialPort {
 public:
  explicit FakeSerialPort(VirtualRuntime& rt) : rt_(&rt) {}

  // Ports that do not exist or that another program holds fail to open.
  std::set<int> missing_ports;
  std::set<int> busy_ports;
  // When set, every open fails as a port that refuses these line settings.
  std::string refuses;
  // Receives every write of the console, in order.
  std::function<void(std::string_view)> peer;

  bool PortOpen() const override { return open_; }
  bool SetPortOpen(bool open) override;
  const std::string& LastError() const override { return last_error_; }
  const std::string& RefusedSettings() const override { return refused_; }
  int InBufferCount() const override { return static_cast<int>(in_.size()); }
  std::string Input() override;
  void Output(std::string_view bytes) override;

  // The peer sends bytes: they arrive after delay_ms of virtual time.
  void Deliver(std::string bytes, std::int64_t delay_ms = 0);
  // After delay_ms the device goes away as a pulled adapter or a failed read
  // does: the port closes, its input is lost, `why` becomes LastError() and
  // DeviceLost is raised from the event loop. Nothing when it is closed then.
  void Vanish(std::string why, std::int64_t delay_ms = 0);

  const std::vector<TimedBytes>& Writes() const { return writes_; }
  std::string AllWritten() const;
  void ClearWrites() { writes_.clear(); }
  int OpenCount() const { return open_count_; }
  // Settings as they stood at the last open.
  std::string OpenedSettings;
  int OpenedPort = 0;

 private:
  VirtualRuntime* rt_;
  bool open_ = false;
  int open_count_ = 0;
  std::string last_error_;
  std::string refused_;
  std::string in_;
  std::vector<TimedBytes> writes_;
};

}  // namespace testkit
