// Writing bytes into the unit's parameter memory.
#pragma once

namespace app {
class Console;
}

namespace unit {

// Starts the write of WriteData from WriteAddress: one V4 "S" packet with the
// whole run, or, in the text dialect, the first of one "Ss" command per byte
// (the reply handler sends the rest). Nothing happens when WriteData is "".
void SendSetParameter(app::Console& c);

}  // namespace unit
