// Waiting while the event loop runs on.
#pragma once

namespace app {
class Console;
}

namespace lnk {

// Waits `seconds`, yielding to the event loop; a wait that crosses midnight
// (where the clock of seconds since midnight starts again) ends on time.
void Delay(app::Console& c, double seconds);

// Seconds since midnight, with the fraction (the clock the link reads).
double Timer(app::Console& c);

}  // namespace lnk
