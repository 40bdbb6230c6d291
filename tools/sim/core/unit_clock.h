// The unit's real-time clock. It runs with the scheduler's time from the
// moment it was last set. The weekday is a counter of its own, as on the
// unit: setting the date leaves it alone, and it steps on at midnight.
#pragma once

#include <cstdint>

#include "common/vb_date.h"
#include "scheduler.h"
#include "unit_config.h"

namespace sim {

struct ClockReading {
  int year = 0;  // four digits
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 0;  // 0 = Sunday ... 6 = Saturday
};

class UnitClock {
 public:
  UnitClock(const Scheduler& scheduler, ClockTime start);

  ClockReading Now() const;
  // One field as the text command "Tt" sets it: 'Y' year of the century
  // 0..99, 'M' month 1..12, 'D' day 1..31, 'h' hour 0..23, 'm' minute 0..59,
  // 's' second 0..59, 'd' weekday 0..6. False (nothing changed) for another
  // letter or a value out of range. A day past the month's end rolls over.
  bool SetField(char field, int value);
  // All fields as the V4 "T" packet sets them: year of the century, and a
  // weekday 0..7 where both 0 and 7 mean Sunday (the console sends Monday = 1
  // from the computer's clock and the spinner's 0..6 otherwise).
  bool SetAll(int year, int month, int day, int weekday, int hour, int minute, int second);

 private:
  void Restart(vb::DateTime at, int weekday);

  const Scheduler& scheduler_;
  vb::DateTime base_;
  std::int64_t base_ms_ = 0;
  int weekday_shift_ = 0;  // the unit's weekday minus the calendar's
};

}  // namespace sim
