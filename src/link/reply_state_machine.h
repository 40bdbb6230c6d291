// The one place that acts on the reply to the command in progress.
#pragma once

namespace app {
class Console;
}

namespace lnk {

// Called by the receive loop when a reply is complete or its deadline has
// passed; acts by CmdState: stores or parses the reply, logs, repeats within
// the retry limits, opens the follow-up windows, starts the next command.
void ProcessReply(app::Console& c);

}  // namespace lnk
