// The table of unit and modem commands: text, reply time-out, idle time and
// the number of reply lines that ends a reply when line counting is on.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lnk {

inline constexpr int kCommandSlots = 26;  // entries 0..25; 0..24 are filled

// The eight-byte access code sent after the dump command, between two
// carriage returns. Every byte is 0xA2 or above, so it can never be mistaken
// for command text.
inline constexpr const char kAccessCode[] = "\xA7\xC3\xB5\xD2\xA9\xE4\xBB\xC6";
inline constexpr int kAccessCodeLength = 8;

// Command numbers the program names.
enum Command : int {
  kIdle = 0,
  kModemInit = 1,
  kDial = 2,
  kSiteLog = 3,
  kStatusU = 5,
  kStatusV = 6,
  kMemoryReset = 7,
  kDatalogReset = 8,
  kDump = 10,
  kSetParameter = 11,
  kLogDownload = 12,
  kAutoAnswerInit = 13,
  kEscape = 14,
  kHangUp = 15,
  kEqualize = 17,
  kClock = 18,
  kCounterReset = 19,
  kLogPreamble = 20,
  kV4Dump = 21,
  kV4Clock = 22,
  kV4Write = 23,
  kV4Reset = 24,
};

struct CommandTable {
  std::array<std::string, kCommandSlots> Cmd{};
  std::array<std::int32_t, kCommandSlots> CmdTimeout{};
  std::array<std::int32_t, kCommandSlots> CmdIdleTimeout{};
  std::array<std::string, kCommandSlots> CmdLines{};  // decimal text, "0" = not counted

  // Entries 0..24 as they stand at start.
  void Fill();
};

}  // namespace lnk
