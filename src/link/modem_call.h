// The modem session: calling a site, setting the modem up to answer calls,
// and hanging up (which also relocks the access levels and stores the
// session's log with the called site).
#pragma once

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
// Ends the session: "+++", 1.5 s, "ATH0" on a modem; closes the port on a
// direct cable; locks every access level again.
void Disconnect(app::Console& c);
// Every access level locked, with its toolbar image, rows and buttons.
void RelockAccessLevels(app::Console& c);

}  // namespace lnk
