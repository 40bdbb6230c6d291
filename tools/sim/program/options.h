// The command line of vkx-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/fault_plan.h"
#include "core/unit_config.h"

namespace simprog {

struct Options {
  bool help = false;
  bool verbose = false;
  std::optional<int> tcp_port;  // unset: a pseudo-terminal
  sim::UnitConfig unit;
  bool modem = false;
  sim::ModemConfig modem_config;
  sim::FaultPlan faults;
  std::optional<double> alarm_after_s;
};

// The options, or the reason they are not understood in *error.
Options ParseOptions(const std::vector<std::string>& args, std::string* error);

extern const char* const kUsage;

}  // namespace simprog
