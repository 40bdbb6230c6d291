#include "link/command_table.h"

namespace lnk {

namespace {
// The dial entry is rebuilt before every call; this number is never dialled.
constexpr const char* kDefaultDial = "ATDT5550100\r";
}  // namespace

void CommandTable::Fill() {
  struct Row {
    const char* cmd;
    std::int32_t timeout, idle;
    const char* lines;
  };
  static const Row rows[25] = {
      {"", 5000, 500, "0"},
      {"AT&F1S0=0\r", 10000, 5000, "0"},
      {kDefaultDial, 65000, 2000, "0"},
      {"Pp", 20000, 15000, "0"},
      {"Mm", 20000, 15000, "1"},
      {"U", 20000, 15000, "1"},
      {"V", 20000, 15000, "1"},
      {"Rr", 20000, 4000, "1"},
      {"Rd", 20000, 15000, "1"},
      {"Uo", 20000, 15000, "1"},
      {"D", 6000, 5000, "0"},
      {"Ss", 15000, 500, "0"},
      {"L", 15000, 5000, "7"},
      {"AT&F1E0Q0V1&C1&D2S0=1\r", 10000, 5000, "0"},
      {"+++", 3000, 2000, "0"},
      {"ATH0\r", 15000, 2000, "0"},
      {"Uo", 20000, 15000, "1"},
      {"Ce", 15000, 5000, "1"},
      {"Tt", 15000, 5000, "1"},
      {"Cr", 15000, 5000, "1"},
      {"V", 20000, 15000, "1"},
      {"bd", 6000, 5000, "1"},
      {"T", 6000, 5000, "1"},
      {"S", 6000, 5000, "1"},
      {"Reset", 6000, 5000, "1"},
  };
  for (size_t i = 0; i < 25; ++i) {
    Cmd[i] = rows[i].cmd;
    CmdTimeout[i] = rows[i].timeout;
    CmdIdleTimeout[i] = rows[i].idle;
    CmdLines[i] = rows[i].lines;
  }
  Cmd[25].clear();
  CmdTimeout[25] = 0;
  CmdIdleTimeout[25] = 0;
  CmdLines[25] = "0";
}

}  // namespace lnk
