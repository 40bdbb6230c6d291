// What the receive loop keeps of the text that comes while no command runs:
// only what an alarm call-in still on the line can need, so noise on an
// idle line costs neither memory nor time.
#pragma once

#include <cstddef>
#include <string_view>

namespace app {
class Console;
}

namespace lnk {

// The most of one call-in kept while its "NO CARRIER" has not come: the
// words "Alarm Report" on, with room for several reports of one call.
inline constexpr std::size_t kLongestCallIn = 4096;

// Takes a piece received while no command runs into RxText. Each call whose
// "NO CARRIER" (any case) follows its "Alarm Report" goes to
// ProcessAlarmReport as it ends; what follows it waits for its own end.
// RxText keeps at most kLongestCallIn bytes: text in front of "Alarm
// Report" is dropped, and a call that runs longer loses its oldest reports.
// Each byte is searched once, with the overlap the words need.
void TakeIdleText(app::Console& c, std::string_view piece);

}  // namespace lnk
