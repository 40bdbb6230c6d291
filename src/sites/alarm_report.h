// Alarm reports that units send when they call in by themselves.
#pragma once

namespace app {
class Console;
}

namespace sites {

// Takes an alarm report out of RxText: shows it in a new alarm window,
// stores the site's alarm flags and turns its map icon red. Leaves RxText
// and RxBuffer empty.
void ProcessAlarmReport(app::Console& c);

}  // namespace sites
