// A bare wire to a simulated site, for tests of the simulator itself: bytes
// go in whole or paced as the console paces a text command, and whatever the
// site sends is collected with its virtual arrival time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fake_serial_port.h"
#include "simulated_site.h"
#include "virtual_runtime.h"

namespace testkit {

class SiteProbe {
 public:
  explicit SiteProbe(sim::UnitConfig config,
                     vb::DateTime start = vb::MakeDateTime(2026, 3, 2, 10, 0, 0));

  VirtualRuntime rt;
  VirtualScheduler scheduler;
  sim::Site site;

  sim::Unit& Unit() { return site.Unit(); }
  sim::HayesModem& AddModem(sim::ModemConfig config = {});

  // Bytes go out whole, now.
  void Send(std::string_view bytes);
  // A text command as the console sends it: one byte every gap_ms.
  void Type(std::string_view text, std::int64_t gap_ms = 50);
  // The dump command: "D", then 50 ms later CR, the access code and CR.
  void TypeDump();
  // A V4 packet built by the console's own encoder.
  void SendV4(std::uint16_t address, std::string_view payload);

  void Run(std::int64_t ms) { rt.RunFor(ms); }
  // Runs until the bytes received hold needle; false after max_ms.
  bool RunUntilReceived(std::string_view needle, std::int64_t max_ms);

  // Everything received since the last Take, then forgotten.
  std::string Take();
  const std::string& Received() const { return received_; }
  // Each piece as delivered, with its virtual time.
  const std::vector<TimedBytes>& Arrivals() const { return arrivals_; }
  // Milliseconds since the probe was made.
  std::int64_t Elapsed() { return rt.ElapsedMs(); }

 private:
  std::string received_;
  std::vector<TimedBytes> arrivals_;
};

}  // namespace testkit
