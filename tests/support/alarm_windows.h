// The alarm windows that calls have opened (each report opens its own).
#pragma once

#include <vector>

namespace app {
class Console;
class frmAlarm;
}  // namespace app

namespace testkit {

// Every alarm window still loaded, oldest first.
std::vector<app::frmAlarm*> AlarmWindows(const app::Console& c);

}  // namespace testkit
