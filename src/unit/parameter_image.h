// The unit's parameter memory as the console holds it: 301 byte-sized
// parameters (addresses 0..300), which of them arrived, the shadow of what
// was last received from or sent to the unit, and what the dump told about
// the unit (firmware version, dump form).
#pragma once

#include <array>
#include <cstdint>

namespace unit {

inline constexpr int kParamCount = 301;  // addresses 0..300

struct ParameterImage {
  std::array<std::int16_t, kParamCount> Eeprom{};
  std::array<bool, kParamCount> Received{};
  std::array<std::int16_t, kParamCount> ParamShadow{};
  bool DumpIncomplete = false;
  bool SequentialDump = false;
  bool ParamLoadInProgress = false;
  // parameter 3 * 10000 + parameter 4 * 100 + parameter 5
  std::int32_t FirmwareVersion = 0;
  bool GenBattSafeMaint = false;
  // The unit clock as last shown: year, month, day, hour, minute, second,
  // weekday (copied from the date spinners after every status line).
  std::array<int, 7> DateShadow{};
};

}  // namespace unit
