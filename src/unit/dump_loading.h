// The two text forms of a parameter dump and their parsers. A plain dump
// holds, for each address, a line start, the address right-aligned in three
// characters, a blank and the value; a saved status file holds the same
// numbers in address order without line structure (SequentialDump). A
// checked dump closes every line with the CRC-16 digits of the line; saved,
// its line ends are blanks and its lines keep their digits.
#pragma once

#include <string_view>
#include <vector>

namespace app {
class Console;
}

namespace unit {

struct DumpValue {
  int address;
  int value;
};

// A checked dump as a status file keeps it, its line ends turned into
// blanks: true, with the values of the lines that pass their check in
// their order; false (nothing added) for any other text.
bool ReadSavedCheckedDump(std::string_view text, std::vector<DumpValue>& values);

// Reads RxBuffer (consuming it) into Eeprom/Received; sets DumpIncomplete
// when an expected address that was not received before is missing; sets
// ParamLoadInProgress. Addresses 0..255, or 0..267 on a V4 unit. A saved
// checked dump (SequentialDump) gives the values of its lines that pass
// their check.
void ParseEepromDump(app::Console& c);

// Reads the checked lines of RxBuffer into Eeprom/Received; a line that
// fails its check marks the dump incomplete, so that it is asked for again.
// Then reports the parameter bounds (with no errors).
void ParseCheckedDump(app::Console& c);

}  // namespace unit
