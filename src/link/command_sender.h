// Starting a command of the command table and pacing its characters out,
// one per tick of the main window's tmrOut; the reply time-out is armed
// after the last character.
#pragma once

namespace app {
class Console;
}
namespace common {
struct SharedState;
}

namespace lnk {

// Commands for the modem (init, dial, auto-answer set-up, escape, hang-up).
bool IsModemCommand(int command);

// Starts command CmdState (callers set CmdState and AutoNext first).
void SendCommand(app::Console& c);
// What every command, text or V4 packet, does as it starts: the reply is
// awaited afresh, and the receive loop learns that a command began.
void BeginCommand(common::SharedState& st);
// Starts CmdState InitDelay ms from now (after a port was opened).
void StartInitTimer(app::Console& c);
// Restarts the reply time-out tmrError with the command's time-out.
void ArmReplyTimeout(app::Console& c);

// Timer and socket handlers of the main window.
void OnCharTimer(app::Console& c);   // tmrOut
void OnInitTimer(app::Console& c);   // tmrInit
void OnTcpDataArrival(app::Console& c);

}  // namespace lnk
