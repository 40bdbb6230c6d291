// A saved status snapshot (text form): the cleaned dump line, the cleaned
// "U" line and the cleaned "V" line of a status file, shown as if the unit
// had just sent them.
#pragma once

namespace app {
class Console;
}

namespace lnk {

// Rebuilds the parameter image from EepromImage and fills the installation
// screen and the online window from UStatusText and VStatusText.
void ParseFullStatus(app::Console& c);

}  // namespace lnk
