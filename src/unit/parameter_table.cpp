#include "unit/parameter_table.h"

#include <array>
#include <vector>

#include "unit/install_pages.h"

namespace unit {

namespace {

constexpr bool kUd = true;    // up-down shown
constexpr bool kNoUd = false; // up-down hidden
constexpr bool kTyping = true;
constexpr bool kNoTyping = false;
constexpr RowText kText = RowText::Shown;
constexpr RowText kHidden = RowText::Hidden;
constexpr RowText kNone = RowText::None;
constexpr SendKind kPlain = SendKind::Plain;
constexpr SendKind kNoSend = SendKind::None;
constexpr int kF = kPageFactory;
constexpr int kI = kPageInstall;
constexpr int kS = kPageStatus;

// Label numbers: the documented ones (8, 10, 12, 13, 17 to 20, 62, 267, 274)
// name the rows that other code relabels or shows; every other row takes its
// address, or 300 + its address where that number is taken.
//
// addr, caption, label, type, min, max, up-down, text box, typing, access, send,
// page, group, column, start value
constexpr ParameterRow kRows[] = {
    // ---- Factory page
    {0, "Serial #: part 1", 0, "", 0, 99, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 0},
    {1, "Serial #: part 2", 1, "", 0, 99, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 0},
    {2, "Serial #: part 3", 2, "", 0, 99, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 0},
    {3, "EEPROM Ver: major", 3, "", 0, 255, kNoUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 0},
    {4, "EEPROM Ver: minor", 4, "", 0, 255, kNoUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 0},
    {5, "EEPROM Ver: build", 5, "", 0, 255, kNoUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 0},
    {8, "Batt Cal", 308, "", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 0},
    {9, "Temp Cal", 9, "", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 0},
    {12, "PV Sample Rate (mins)", 312, "", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 0},
    {19, "Vnominal", 319, "X12", 1, 4, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 1, 1},
    {14, "EQU Hours", 8, "", 0, 255, kNoUd, kHidden, kNoTyping, 'F', kPlain, kF, "", 1, 1},
    {10, "PV Zero", 310, "BYTE", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 2, 0},
    {11, "PV Cal", 11, "", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 2, 0},
    {22, "PV Shunt", 22, "X5", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 2, 0},
    {17, "NO Amps", 317, "SCUR", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 2, 0},
    {195, "Load Zero", 195, "BYTE", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 2, 0},
    {196, "Load Cal", 196, "", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 2, 0},
    {21, "Load Shunt", 21, "X5", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 2, 0},
    {185, "# Program Resets", 185, "", 0, 255, kUd, kText, kNoTyping, 'F', kPlain, kF, "", 2, 0},
    {267, "Offset", 267, "BYTE", 0, 255, kNoUd, kHidden, kNoTyping, 'F', kPlain, kF, "", 2, 0},
    // shown on the Memory page through txtMaxTemp and txtMinTemp
    {186, "Max Temp", 186, "TEMP", 0, 255, kNoUd, kHidden, kNoTyping, 'F', kPlain, kF, "", 0, 0},
    {187, "Min Temp", 187, "TEMP", 0, 255, kNoUd, kHidden, kNoTyping, 'F', kPlain, kF, "", 0, 0},

    // ---- Install page
    {13, "BattEff", 313, "%", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "Battery", 1, 0},
    {23, "Charge Mode", 23, "CHGMODE", 0, 1, kUd, kText, kNoTyping, 'I', kPlain, kI, "Battery", 1, 0},
    {24, "Batt AHinit, high byte", -1, "INTEGER1", 0, 255, kNoUd, kNone, kNoTyping, 0, kNoSend, kI,
     "Battery", 0, 0},
    {25, "Batt AHinit", 25, "INTEGER2", 0, 65535, kNoUd, kText, kTyping, 'I', SendKind::BattAH, kI,
     "Battery", 1, 0},
    {15, "Days", 15, "", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "Equalize", 1, 0},
    {60, "Mode", 60, "EQUMODE", 0, 1, kUd, kText, kNoTyping, 'I', kPlain, kI, "Equalize", 1, 0},
    {61, "Vboost", 61, "DV", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "Equalize", 1, 0},
    {47, "TComp", 47, "TCOMPMODE", 0, 2, kUd, kText, kNoTyping, 'I', kPlain, kI,
     "Temperature compensation", 1, 0},
    {48, "HVD mV/\xBA" "C", 48, "HVDMV", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI,
     "Temperature compensation", 1, 0},
    {49, "LVD mV/\xBA" "C", 49, "LVDMV", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI,
     "Temperature compensation", 1, 0},
    {220, "%Over", 220, "%", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "EBBM", 1, 0},
    {221, "Vreset", 221, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "EBBM", 1, 0},
    {225, "%add", 225, "X.1%", -255, 255, kUd, kText, kNoTyping, 'I', SendKind::AHAdd, kI, "EBBM", 1,
     0},
    {226, "%add sign", -1, "%ADDSIGN", 0, 1, kNoUd, kNone, kNoTyping, 0, kNoSend, kI, "EBBM", 0, 0},
    {75, "Field 1", 75, "INSTALLPASS", 0, 99, kUd, kText, kNoTyping, 'I', kPlain, kI,
     "Password - Level 3", 1, 0},
    {76, "Field 2", 76, "INSTALLPASS", 0, 99, kUd, kText, kNoTyping, 'I', kPlain, kI,
     "Password - Level 3", 1, 0},
    {77, "Field 3", 77, "INSTALLPASS", 0, 99, kUd, kText, kNoTyping, 'I', kPlain, kI,
     "Password - Level 3", 1, 0},

    {26, "Mode", 26, "HVDMODE", 0, 2, kUd, kText, kNoTyping, 'I', kPlain, kI, "HVD1", 2, 0},
    {27, "Disconnect", 27, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "HVD1", 2, 0},
    {28, "Reconnect", 28, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "HVD1", 2, 0},
    {44, "Mode", 44, "HVDMODE", 0, 2, kUd, kText, kNoTyping, 'I', kPlain, kI, "HVD2", 2, 0},
    {45, "Disconnect", 45, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "HVD2", 2, 0},
    {46, "Reconnect", 46, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "HVD2", 2, 0},
    {29, "Mode", 29, "LVDMODE", 0, 2, kUd, kText, kNoTyping, 'I', kPlain, kI, "LVD", 2, 0},
    {31, "Disconnect", 31, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "LVD", 2, 0},
    {30, "Reconnect", 30, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "LVD", 2, 0},
    {32, "Mode", 32, "HLVAMODE", 0, 2, kUd, kText, kNoTyping, 'I', kPlain, kI, "HVA", 2, 0},
    {33, "Von", 33, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "HVA", 2, 0},
    {34, "Voff", 34, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "HVA", 2, 0},
    // no code shows the LHVD rows
    {41, "Mode", 41, "LHVDMODE", 0, 1, kNoUd, kHidden, kNoTyping, 'I', kPlain, kI, "LHVD", 0, 0},
    {42, "Disconnect", 42, "V", 0, 255, kNoUd, kHidden, kNoTyping, 'I', kPlain, kI, "LHVD", 0, 0},
    {43, "Reconnect", 43, "V", 0, 255, kNoUd, kHidden, kNoTyping, 'I', kPlain, kI, "LHVD", 0, 0},

    {35, "Mode", 35, "HLVAMODE", 0, 2, kUd, kText, kNoTyping, 'I', kPlain, kI, "LVA", 3, 0},
    {36, "Voff", 36, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "LVA", 3, 0},
    {37, "Von", 37, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "LVA", 3, 0},
    {38, "Mode", 18, "GENMODE", 0, 2, kUd, kText, kNoTyping, 'I', kPlain, kI, "Generator", 3, 0},
    {40, "Von", 19, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "Generator", 3, 0},
    {39, "Voff", 20, "V", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "Generator", 3, 0},
    {62, "Gen Safe (mins)", 13, "x30", 0, 255, kNoUd, kHidden, kNoTyping, 'I', kPlain, kI, "", 3, 0},
    {63, "Gen Hold (mins)", 62, "x30", 0, 255, kNoUd, kHidden, kNoTyping, 'I', kPlain, kI, "", 3, 0},
    {64, "Gen Wait Days", 12, "", 0, 255, kNoUd, kHidden, kNoTyping, 'I', kPlain, kI, "", 3, 0},
    {65, "Gen Maint Minutes", 17, "", 0, 255, kNoUd, kHidden, kNoTyping, 'I', kPlain, kI, "", 3, 0},
    {227, "Batt Maint Voff", 10, "V", 0, 255, kNoUd, kHidden, kNoTyping, 'I', kPlain, kI, "", 3, 0},
    {274, "LVD Delay", 274, "X2", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kI, "", 3, 0},

    // ---- Status page
    {55, "Load 1 timer mode", 55, "LD1T", 0, 255, kNoUd, kNone, kNoTyping, 0, kNoSend, kS, "", 1, 0},
    {56, "Load Timing On, hour", -1, "T1", 0, 23, kUd, kHidden, kTyping, 0, kNoSend, kS, "", 1, 0},
    {57, "Load Timing On", 57, "T2", 0, 59, kUd, kText, kNoTyping, 'S', SendKind::S2, kS, "", 1, 0},
    {58, "Load Timing Off, hour", -1, "T1", 0, 23, kUd, kHidden, kTyping, 0, kNoSend, kS, "", 1, 0},
    {59, "Load Timing Off", 59, "T2", 0, 59, kUd, kText, kNoTyping, 'S', SendKind::S2, kS, "", 1, 0},
    {89, "Time Corr sec/day", 89, "BYTE", 0, 255, kUd, kText, kNoTyping, 'I', kPlain, kS, "", 1, 0},
    {95, "Fault lamp", 95, "FAULT", 0, 255, kNoUd, kNone, kNoTyping, 0, kNoSend, kS, "", 1, 0},
    {96, "Reset date, first part", -1, "D1", 0, 255, kNoUd, kNone, kNoTyping, 0, kNoSend, kS, "", 0,
     0},
    {97, "Reset date", 97, "D2", 0, 255, kNoUd, kText, kNoTyping, 0, kNoSend, kS, "", 1, 0},
    {98, "Reset time, hour", -1, "T1", 0, 255, kNoUd, kNone, kNoTyping, 0, kNoSend, kS, "", 0, 0},
    {99, "Reset time", 99, "T2", 0, 255, kNoUd, kText, kNoTyping, 0, kNoSend, kS, "", 1, 0},
    {82, "Field 1", 82, "CONTROLSPASS", 0, 99, kUd, kText, kTyping, 'S', kPlain, kS,
     "Password - Level 2", 2, 0},
    {83, "Field 2", 83, "CONTROLSPASS", 0, 99, kUd, kText, kTyping, 'S', kPlain, kS,
     "Password - Level 2", 2, 0},
    {84, "Field 3", 84, "CONTROLSPASS", 0, 99, kUd, kText, kTyping, 'S', kPlain, kS,
     "Password - Level 2", 2, 0},
};

constexpr MemoryGroup kMemoryGroups[] = {
    {101, "Battery Volts Max", "OV"}, {107, "Battery Volts Min", "OV"},
    {113, "Load Amps Max", "LCUR"},   {119, "Load Amps Min", "LCUR"},
    {125, "PV Amps Max", "SCUR"},     {131, "PV Amps Min", "SCUR"},
    {137, "Batt Temp Max", "TEMP"},   {143, "Batt Temp Min", "TEMP"},
    {149, "Unit Temp Max", "TEMP"},   {155, "Unit Temp Min", "TEMP"},
    {161, "Equalizations", ""},
};

// A display-only row of the Memory page.
constexpr ParameterRow MemoryRow(int address, std::string_view caption, int label,
                                 std::string_view type, RowText text) {
  return {address, caption, label, type, 0,        255, kNoUd, text, kNoTyping, 0,
          kNoSend, kPageMemory, "", 1,   0};
}

// The date (D1, D2) and time (T1, T2) of a Memory line; the second of each
// pair shows it.
void AddDateAndTime(std::vector<ParameterRow>& rows, int first) {
  rows.push_back(MemoryRow(first, "", -1, "D1", kNone));
  rows.push_back(MemoryRow(first + 1, "", -1, "D2", kText));
  rows.push_back(MemoryRow(first + 2, "", -1, "T1", kNone));
  rows.push_back(MemoryRow(first + 3, "", -1, "T2", kText));
}

std::vector<ParameterRow> BuildRows() {
  std::vector<ParameterRow> rows(std::begin(kRows), std::end(kRows));
  for (const MemoryGroup& g : kMemoryGroups) {
    rows.push_back(MemoryRow(g.base, g.caption, g.base, g.value_type, kText));
    AddDateAndTime(rows, g.base + 1);
  }
  // Gen Hours is named by its own caption (Label92), not by a row label.
  rows.push_back(MemoryRow(kGenHoursHigh, "Gen Hours, high byte", -1, "GENHOURS1", kNone));
  rows.push_back(MemoryRow(kGenHoursLow, "Gen Hours", -1, "GENHOURS2", kText));
  AddDateAndTime(rows, kGenHoursDateTime);
  return rows;
}

}  // namespace

std::span<const ParameterRow> ParameterRows() {
  static const std::vector<ParameterRow> rows = BuildRows();
  return rows;
}

const ParameterRow* FindParameterRow(int address) {
  static const auto index = [] {
    std::array<const ParameterRow*, 301> by_address{};
    for (const ParameterRow& row : ParameterRows()) by_address[static_cast<size_t>(row.address)] = &row;
    return by_address;
  }();
  if (address < 0 || address >= static_cast<int>(index.size())) return nullptr;
  return index[static_cast<size_t>(address)];
}

std::span<const MemoryGroup> MemoryGroups() { return kMemoryGroups; }

bool IsSkippedAddress(int a) {
  if (a >= 100 && a <= 166 && (a - 100) % 6 == 0) return true;
  const auto in = [a](int lo, int hi) { return a >= lo && a <= hi; };
  return a == 6 || a == 7 || a == 16 || a == 18 || a == 20 || in(50, 54) || in(66, 74) ||
         in(78, 81) || in(85, 88) || in(90, 94) || a == 167 || in(172, 184) || in(188, 194) ||
         in(197, 211) || in(214, 219) || in(222, 224) || a == 226 || in(256, 266) ||
         in(268, 273);
}

std::string_view SendTag(SendKind kind) {
  switch (kind) {
    case SendKind::S2: return "S2";
    case SendKind::BattAH: return "BATTAH";
    case SendKind::AHAdd: return "AHADD";
    case SendKind::None:
    case SendKind::Plain: break;
  }
  return "";
}

}  // namespace unit
