// The modem session: calling a site, setting the modem up to answer calls,
// and hanging up (which also relocks the access levels and stores the
// session's log with the called site).
#pragma once

#include <string>

namespace app {
class Console;
}

namespace lnk {

// Dials Cmd(2) (set by the caller with SelectedSiteID/Name/CustNum): opens
// and initialises the modem first when the port is closed. Returns when the
// receive loop serving the call ends (at once when a running loop serves it);
// false when the port could not be opened (the operator was told, nothing
// was sent). With set_modem_up the modem init goes first even on an open
// port, so whatever the modem was told before (to answer calls) is undone.
bool StartModemCall(app::Console& c, bool set_modem_up = false);
// Sends the modem its set-up for answering calls (or for not answering), on
// the serial port. Returns as StartModemCall does.
void InitModem(app::Console& c);
// Ends the session: the command under way first (a write cut short is told
// with the bytes the unit acknowledged), then "+++", 1.5 s, "ATH0" on a
// modem; closes the port on a direct cable; locks every access level again.
void Disconnect(app::Console& c);
// The online window's Disconnect: the session's alarms go to its site first,
// and Controls is relocked after the hang-up.
void HangUpOnline(app::Console& c);
// The serial port's device went away under the program (the port is closed
// already): a session on it ends as a hang-up does, with the session's
// alarms and log stored on its site, and the operator is told which port.
void SerialLineLost(app::Console& c);
// Whether `received` (what the current command or the idle line got) tells
// that the modem lost the call of an open modem session.
bool CarrierLost(const app::Console& c, const std::string& received);
// The call dropped: the session ends as a hang-up does, without the escape
// ("ATH0" alone puts the modem on hook and answers a callout run's wait).
void EndLostCall(app::Console& c);
// Every access level locked, with its toolbar image, rows and buttons.
void RelockAccessLevels(app::Console& c);

}  // namespace lnk
