// A simulated VKX-4700 site (unit, optionally behind a Hayes modem) wired to
// a test console: it runs on the harness's virtual clock, hears what the
// console writes to its serial port or socket, and delivers its answers
// there at the pace of a 9600-baud line.
//
//   testkit::ConsoleHarness h;
//   testkit::SimulatedSite site(h, sim::UnitConfig{.firmware = 32116});
//   site.AttachSerial(/*modem=*/true);
//   ... h.rt.RunFor(...); site.Unit().Memory(13) ...
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "console_harness.h"
#include "fake_serial_port.h"
#include "fake_tcp_client.h"
#include "core/site.h"
#include "virtual_runtime.h"

namespace testkit {

// The simulator's scheduler on a VirtualRuntime. Callbacks still queued when
// it is destroyed do nothing.
class VirtualScheduler : public sim::Scheduler {
 public:
  explicit VirtualScheduler(VirtualRuntime& rt) : rt_(rt), alive_(std::make_shared<char>(0)) {}
  std::int64_t NowMs() const override { return rt_.SteadyMs(); }
  void PostAt(std::int64_t at_ms, std::function<void()> fn) override;

 private:
  VirtualRuntime& rt_;
  std::shared_ptr<char> alive_;
};

// The unit's clock reading at t.
sim::ClockTime ClockAt(vb::DateTime t);

class SimulatedSite {
 public:
  // A unit whose clock is unset starts at the harness's present time.
  SimulatedSite(ConsoleHarness& h, sim::UnitConfig config);
  SimulatedSite(VirtualRuntime& rt, FakeSerialPort& serial, FakeTcpClient& tcp,
                sim::UnitConfig config);
  ~SimulatedSite();
  SimulatedSite(const SimulatedSite&) = delete;
  SimulatedSite& operator=(const SimulatedSite&) = delete;

  // The site hangs on the console's serial port: behind a modem (dialled,
  // answered) or on a direct cable.
  void AttachSerial(bool modem, sim::ModemConfig modem_config = {});
  // The site answers on the console's socket (no modem).
  void AttachTcp();

  sim::Unit& Unit() { return site_.Unit(); }
  sim::HayesModem* Modem() { return site_.Modem(); }
  sim::Site& Site() { return site_; }
  bool StartAlarmCall() { return site_.StartAlarmCall(); }

 private:
  FakeSerialPort& serial_;
  FakeTcpClient& tcp_;
  VirtualScheduler scheduler_;
  sim::Site site_;
};

}  // namespace testkit
