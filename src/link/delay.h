// Waiting while the event loop runs on.
#pragma once

namespace app {
class Console;
}

namespace lnk {

// Waits `seconds` on the steady clock, yielding to the event loop: neither
// midnight nor a stepped wall clock changes its length.
void Delay(app::Console& c, double seconds);

}  // namespace lnk
