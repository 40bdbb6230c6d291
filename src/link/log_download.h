// The unit's daily log into the data table: the "V" preamble and the "L"
// reply of seven day records.
#pragma once

namespace app {
class Console;
}

namespace lnk {

void OnLogPreambleReply(app::Console& c);  // 20
void OnLogReply(app::Console& c);          // 12

}  // namespace lnk
