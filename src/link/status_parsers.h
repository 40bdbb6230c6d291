// The unit's live status lines. A "U" line carries the unit's clock, battery
// voltage, currents, temperatures, relay and generator bits and (firmware
// 4.01.00) the state of charge; a "V" line the equalisation state and the
// ampere-hour counters. The parsers read the line in RxBuffer token by token
// and write what they read into the installation screen and the online
// window; whatever stands between the numbers is ignored.
#pragma once

#include <cstddef>

namespace app {
class Console;
}

namespace lnk {

// How many numbers the parsers read from each line. U: date, a reserved
// field, time, weekday, battery volts, two currents, two temperatures, relay
// and generator bits. V: five counters and flags, then three ampere-hour
// counters. A saved line with fewer is no status line.
inline constexpr std::size_t kULineNumbers = 15;
inline constexpr std::size_t kVLineNumbers = 8;

// Reads the U line in RxBuffer (consuming it).
void ParseUReply(app::Console& c);
// Reads the V line in RxBuffer (consuming it).
void ParseVReply(app::Console& c);
// Rebuilds the U and V lines from the status block of the V4 dump packet in
// PacketBuf (for the firmware in force) and reads them as above.
void DecodeV4StatusPacket(app::Console& c);
// The V4 dump packet in PacketBuf becomes the status shown, whether the
// unit sent it or a file held it: parameters 0 to 274 into the image and
// the rows (their bound errors told), EepromImage "(Data)", the status
// fields into the screens; no command is left running.
void ShowDumpPacket(app::Console& c);

}  // namespace lnk
