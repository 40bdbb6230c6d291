// Collecting replies: the receive loop that every link opener enters, the
// reply time-out, the two timers that are there but never started, and the
// hand-over of a unit's alarm call-in.
#pragma once

#include <cstddef>

namespace app {
class Console;
}

namespace lnk {

// No reply the console waits for is longer (the text dump of every address
// with check digits is some 4 KB): the bytes past it are noise, and the
// reply in front of them is what its handler reads.
inline constexpr std::size_t kLongestReply = 64 * 1024;

// Runs until StopReceive is set (by a failed dial or the main window's
// unload); decides when a reply has ended (by line count or by silence) and
// hands it to ProcessReply. Waits in the runtime's WaitEvents: it never spins.
void ReceiveLoop(app::Console& c);
// The receive loop serves a command a link opener has just started: a loop
// already running does (the opener was called from inside it, as a callout
// run's next site and auto-answer set up again are), else one is entered.
// A nested loop would never return, so every site of every run would
// deepen the stack.
void ServeLink(app::Console& c);

// tmrError: the reply time-out of a text command.
void OnReplyTimeoutTimer(app::Console& c);
// What a passed reply time-out does, by CmdState.
void HandleReplyTimeout(app::Console& c);
// tmrIn and tmrUpdate handlers.
void OnInTimer(app::Console& c);
void OnUpdateTimer(app::Console& c);

}  // namespace lnk
