#include "link/delay.h"

#include <cmath>

#include "app/console.h"

namespace lnk {

double Timer(app::Console& c) { return vb::SecondsSinceMidnight(c.rt.Now()); }

// The wait is measured on the local date and time, not on seconds since
// midnight, so one that crosses midnight ends on time like any other.
void Delay(app::Console& c, double seconds) {
  vb::DateTime end = c.rt.Now() + static_cast<std::int64_t>(std::llround(seconds * 1000.0));
  while (c.rt.Now() < end) c.rt.WaitEvents(end);
}

}  // namespace lnk
