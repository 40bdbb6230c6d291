// Alarm reports that units send when they call in by themselves, and the
// alarm state a session leaves in the site's row.
#pragma once

#include <string>
#include <vector>

namespace app {
class Console;
}

namespace sites {

// Takes the alarm reports out of RxText: each shows in a new alarm window,
// stores its site's alarm flags and turns its map icon red. Leaves RxText
// and RxBuffer empty. A report cut short, or whose site number or flags
// cannot be read (a run of exactly sixteen "0"/"1"), is shown as it came and
// stores nothing; it never takes from a report that follows it.
void ProcessAlarmReport(app::Console& c);

// At a session's end: the selected site's row takes the session's alarm
// flags, and the colour of alarm (2) or normal (0) that goes with them.
void UpdateSiteAlarms(app::Console& c);

// The names of the alarms whose flag is "1" among the first sixteen
// characters of flags, in flag order.
std::vector<std::string> ActiveAlarmNames(const std::string& flags);

// Sixteen characters, each "0" or "1".
bool WellFormedAlarmFlags(const std::string& flags);

}  // namespace sites
