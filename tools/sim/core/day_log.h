// The unit's daily log: for each of the last seven days, the extremes of
// battery and load voltage, load current and three temperatures, and the
// ampere-hours from the array and to the load.
#pragma once

#include <array>

#include "unit_clock.h"

namespace sim {

struct DayRecord {
  int month = 0;
  int day = 0;
  int vbatt_max = 0, vbatt_min = 0;  // hundredths of a volt
  int vload_max = 0, vload_min = 0;  // hundredths of a volt
  int aload_max = 0, aload_min = 0;  // tenths of an ampere
  int tbatt_max = 0, tbatt_min = 0;  // ºC
  int tshel_max = 0, tshel_min = 0;
  int tout_max = 0, tout_min = 0;
  int ah_pv = 0, ah_load = 0;        // tenths of an ampere-hour
};

// Oldest first: seven days back, ..., yesterday.
using DayLog = std::array<DayRecord, 7>;

// A plausible week ending the day before `today`.
DayLog TypicalDayLog(const ClockReading& today, int system_volts);

}  // namespace sim
