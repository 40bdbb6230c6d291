// The reply handlers of the state machine, one per command, and the ways a
// handler leaves: End (the tail: go on with the next command when AutoNext is
// set, else idle), Finish (idle, counters cleared), or a plain return (it
// started another command or a window carries on).
#pragma once

#include <string>

namespace app {
class Console;
}
namespace platform {
class Recordset;
}

namespace lnk {

void EndReply(app::Console& c);
void FinishReply(app::Console& c);
// The reply cut before its first line feed (for "U" and "V"), then every CR
// and LF turned into a blank.
std::string CleanReply(const std::string& reply, bool first_line_only);
// The called site's row gets the session log; used by the hang-up and the
// reply to "+++".
void StoreConnectLog(app::Console& c);
// A call that never reached its unit turns the site's icon light red, unless
// it shows an alarm: such a call cannot have cleared what was reported.
// `site` is a row open for editing that holds SiteColor.
void SetFailedCallColour(platform::Recordset& site);
// The toolbar's "Site" button released and its shown flag cleared.
void ReleaseSiteButton(app::Console& c);

void OnModemInitReply(app::Console& c);     // 1
void OnDialReply(app::Console& c);          // 2
void OnSiteLogReply(app::Console& c);       // 3
void OnStatusLineReply(app::Console& c);    // 5 and 6
void OnMemoryResetReply(app::Console& c);   // 7
void OnDatalogResetReply(app::Console& c);  // 8
void OnDumpReply(app::Console& c);          // 10
void OnWriteByteReply(app::Console& c);     // 11
void OnAutoAnswerReply(app::Console& c);    // 13
void OnEscapeReply(app::Console& c);        // 14
void OnHangUpReply(app::Console& c);        // 15
void OnV4DumpReply(app::Console& c);        // 21
void OnV4ClockReply(app::Console& c);       // 22
void OnV4WriteReply(app::Console& c);       // 23
void OnV4ResetReply(app::Console& c);       // 24

}  // namespace lnk
