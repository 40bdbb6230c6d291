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
namespace common {
struct SharedState;
}

namespace unit {

// Starts the write of WriteData from WriteAddress: one V4 "S" packet with the
// whole run, or, in the text dialect, the first of one "Ss" command per byte
// (the reply handler sends the rest). Nothing happens when WriteData is "".
void SendSetParameter(app::Console& c);

// Starts a V4 bulk write of EepromImage (the byte of address a at position
// a + 3) in packets of four bytes: the first from address first, then each
// next one once the unit has acknowledged the last, while the cursor is
// below end (the reply handler carries it on). Shows the progress window.
void StartBulkWrite(app::Console& c, int first, int end);
// The packets of the bulk write running: all of them, and those the unit
// has acknowledged so far.
int BulkWritePackets(const common::SharedState& st);
int BulkWriteAcknowledged(const common::SharedState& st);
// Ends a bulk write short of its end (its acknowledgements failed, or the
// session ended): the progress window closes and the operator is told how
// many packets the unit acknowledged, since its memory is half written.
void StopBulkWrite(app::Console& c);

// The V4 payload that writes data from address: "S", the count, the
// address's high and low byte, the data.
std::string V4WritePayload(int address, std::string_view data);

// The battery capacity typed into its row as the two bytes written at 24
// (high, low); nothing unless it is a whole number of ampere-hours that the
// two bytes hold (0 to 65535).
std::optional<std::string> BatteryCapacityBytes(std::string_view typed);

}  // namespace unit
