// The unit's daily log into the data table: the "V" preamble (state 20) and
// the "L" reply of seven day records (state 12), then "Pp", whose reply is
// offered for saving as the site-log file (state 3).
//
// No window starts the download; a caller sets CmdState to kLogPreamble and
// AutoNext to false, then calls SendCommand.
#pragma once

namespace app {
class Console;
}

namespace lnk {

void OnLogPreambleReply(app::Console& c);  // 20
void OnLogReply(app::Console& c);          // 12

}  // namespace lnk
