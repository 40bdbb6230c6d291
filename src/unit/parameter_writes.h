// Writing bytes into the unit's parameter memory. The send buttons of the
// parameter rows, the typing that reveals them and the battery capacity
// editor are handlers of frmInstall (parameter_writes.cpp).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {
class Console;
}

namespace unit {

// Starts the write of WriteData from WriteAddress: one V4 "S" packet with the
// whole run, or, in the text dialect, the first of one "Ss" command per byte
// (the reply handler sends the rest). Nothing happens when WriteData is "".
void SendSetParameter(app::Console& c);

// The V4 payload that writes data from address: "S", the count, the
// address's high and low byte, the data.
std::string V4WritePayload(int address, std::string_view data);

// The battery capacity typed into its row as the two bytes written at 24
// (high, low); nothing unless it is a whole number of ampere-hours that the
// two bytes hold (0 to 65535).
std::optional<std::string> BatteryCapacityBytes(std::string_view typed);

}  // namespace unit
