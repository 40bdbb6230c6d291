// A remote site as the console's port sees it: a unit, optionally behind a
// Hayes modem. The console's bytes go in through FromConsole; everything
// toward the console leaves through the console sink.
//
//   console <-> [HayesModem <-> telephone line] <-> Unit
#pragma once

#include <memory>
#include <string_view>

#include "hayes_modem.h"
#include "scheduler.h"
#include "unit.h"
#include "unit_config.h"

namespace sim {

class Site {
 public:
  Site(Scheduler& scheduler, UnitConfig unit_config);

  // Puts a modem in front of the unit; call before any traffic.
  void AddModem(ModemConfig config = {});
  void SetConsoleSink(ByteSink sink);
  void FromConsole(std::string_view bytes);

  // The unit reports its alarms. Through a modem it calls the console: the
  // console's modem rings, and once it answers (S0 above 0, or "ATA") the
  // unit sends its report and hangs up ("NO CARRIER"); false when the modem
  // is busy. Without a modem the report goes straight down the cable.
  bool StartAlarmCall();

  sim::Unit& Unit() { return unit_; }
  HayesModem* Modem() { return modem_.get(); }

 private:
  void Wire();

  Scheduler& scheduler_;
  ModemConfig modem_config_;
  sim::Unit unit_;
  std::unique_ptr<HayesModem> modem_;
  ByteSink console_;
  OneShotTimer call_timer_;  // the calling unit's report and hang-up
};

}  // namespace sim
