#include "live_status.h"

#include <algorithm>
#include <cmath>

namespace sim {

LiveStatus TypicalStatus(int system_volts, int capacity_ah) {
  const int blocks = system_volts / 12;
  LiveStatus s;
  s.battery_centivolts = 1320 * blocks;
  s.pv_centiamps = 1230 / std::max(1, 4 / blocks);  // 12.30 A at 48 V, 3.07 A at 12 V
  s.load_centiamps = 450 / std::max(1, 4 / blocks);
  s.battery_temp_c = 24;
  s.unit_temp_c = 31;
  s.ah_net = 0.8 * capacity_ah;
  s.ah_in = 1234.56;
  s.ah_out = 987.65;
  return s;
}

void RunAmpHours(LiveStatus& status, double hours, int capacity_ah) {
  if (hours <= 0) return;
  const double in = status.pv_centiamps / 100.0 * hours;
  const double out = status.load_centiamps / 100.0 * hours;
  status.ah_in += in;
  status.ah_out += out;
  status.ah_net = std::clamp(status.ah_net + in - out, 0.0, static_cast<double>(std::max(0, capacity_ah)));
}

int StateOfChargeCentipercent(const LiveStatus& status, int capacity_ah) {
  if (capacity_ah <= 0) return 0;
  return static_cast<int>(std::clamp(std::lround(status.ah_net * 10000.0 / capacity_ah), 0L, 10000L));
}

}  // namespace sim
