#include "link/delay.h"

#include <cmath>

#include "app/console.h"

namespace lnk {

// The wait is measured on the steady clock, not on the time of day, so one
// that crosses midnight, or during which the wall clock is stepped, lasts
// its time like any other.
void Delay(app::Console& c, double seconds) {
  const std::int64_t end = c.rt.SteadyMs() + std::llround(seconds * 1000.0);
  while (c.rt.SteadyMs() < end) c.rt.WaitEventsSteady(end);
}

}  // namespace lnk
