#include "day_log.h"

#include "common/vb_date.h"

namespace sim {

DayLog TypicalDayLog(const ClockReading& today, int system_volts) {
  const int blocks = system_volts / 12;
  const vb::DateTime midnight = vb::MakeDateTime(today.year, today.month, today.day);
  DayLog log{};
  for (int i = 0; i < 7; ++i) {
    const int days_back = 7 - i;
    const vb::DateTime d = midnight + (-days_back * vb::kMsPerDay);
    const int wobble = (i * 37) % 11;  // day-to-day variation, the same every run
    DayRecord& r = log[static_cast<std::size_t>(i)];
    r.month = vb::Month(d);
    r.day = vb::Day(d);
    r.vbatt_max = (1425 + wobble) * blocks;
    r.vbatt_min = (1205 + wobble) * blocks;
    r.vload_max = (1420 + wobble) * blocks;
    r.vload_min = (1198 + wobble) * blocks;
    r.aload_max = (48 + wobble) * 4 / blocks;
    r.aload_min = 5 * 4 / blocks;
    r.tbatt_max = 27 + wobble / 3;
    r.tbatt_min = 14 - wobble / 2;
    r.tshel_max = 33 + wobble / 2;
    r.tshel_min = 12 - wobble / 3;
    r.tout_max = 22 + wobble;
    r.tout_min = -3 + wobble / 2;
    r.ah_pv = (1480 + 20 * wobble) * 4 / blocks;
    r.ah_load = (1030 + 15 * wobble) * 4 / blocks;
  }
  return log;
}

}  // namespace sim
