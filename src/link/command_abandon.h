// Ending the command in progress before its reply has come.
#pragma once

namespace app {
class Console;
}

namespace lnk {

// The command in progress is given up: CmdState goes back to idle, and its
// timers (paced sending, reply time-out, line count, init delay), its
// retries and the partial reply go, so no reply handler, deadline or repeat
// of it runs afterwards. The windows that wait for it close (the download
// bar, the settle window that would start the dump). What the command was
// moving (WriteData, a bulk write, a pending save) is left to the caller,
// which knows whether and how to report it.
void AbandonCommand(app::Console& c);

}  // namespace lnk
