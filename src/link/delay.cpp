#include "link/delay.h"

#include <cmath>

#include "app/console.h"

namespace lnk {

double Timer(app::Console& c) { return vb::SecondsSinceMidnight(c.rt.Now()); }

void Delay(app::Console& c, double seconds) {
  // The waits below are on seconds since midnight, as the original's; each
  // yield waits for the next event or for the time the loop looks at next.
  double start = Timer(c);
  vb::DateTime started_at = c.rt.Now();
  if (start + seconds > 86400) {
    seconds -= 86400 - start;
    vb::DateTime midnight = vb::DatePart(started_at) + vb::kMsPerDay;
    while (Timer(c) >= start && c.rt.Now() < midnight) c.rt.WaitEvents(midnight);
  }
  double end = Timer(c) + seconds;
  vb::DateTime wake = c.rt.Now() + static_cast<std::int64_t>(std::ceil(seconds * 1000.0));
  while (Timer(c) < end) c.rt.WaitEvents(wake);
}

}  // namespace lnk
