// A TCP client on virtual time. The far end accepts after connect_delay_ms,
// refuses, or never answers; data it sends raises DataArrival from the event
// loop, as the real socket does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fake_serial_port.h"
#include "platform/tcp_client.h"
#include "virtual_runtime.h"

namespace testkit {

class FakeTcpClient : public platform::TcpClient {
 public:
  enum class FarEnd { Accepts, Refuses, Silent };

  explicit FakeTcpClient(VirtualRuntime& rt) : rt_(&rt) {}

  FarEnd far_end = FarEnd::Accepts;
  std::int64_t connect_delay_ms = 5;
  std::function<void(std::string_view)> peer;

  void Connect() override;
  int State() const override { return state_; }
  void SendData(std::string_view bytes) override;
  std::string GetData() override;
  void Close() override;

  void Deliver(std::string bytes, std::int64_t delay_ms = 0);

  const std::vector<TimedBytes>& Writes() const { return writes_; }
  std::string AllWritten() const;
  int ConnectCount() const { return connects_; }
  std::string ConnectedHost;
  int ConnectedPort = 0;

 private:
  VirtualRuntime* rt_;
  int state_ = platform::sckClosed;
  int connects_ = 0;
  unsigned generation_ = 0;  // ignores events of an earlier connection
  std::string pending_;
  std::vector<TimedBytes> writes_;
};

}  // namespace testkit
