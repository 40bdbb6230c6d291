// The two text forms of a parameter dump and their parsers. A plain dump
// holds, for each address, a line start, the address right-aligned in three
// characters, a blank and the value; a saved status file holds the same
// numbers in address order without line structure (SequentialDump). A
// checked dump closes every line with the CRC-16 digits of the line.
#pragma once

namespace app {
class Console;
}

namespace unit {

// Reads RxBuffer (consuming it) into Eeprom/Received; sets DumpIncomplete
// when an expected address that was not received before is missing; sets
// ParamLoadInProgress. Addresses 0..255, or 0..267 on a V4 unit.
void ParseEepromDump(app::Console& c);

// Reads the checked lines of RxBuffer into Eeprom/Received; a line that
// fails its check marks the dump incomplete, so that it is asked for again.
// Then reports the parameter bounds (with no errors).
void ParseCheckedDump(app::Console& c);

}  // namespace unit
