// What the console knows about the unit's parameters: one row per parameter
// address, with its name, the label that names it on the installation
// screen, its type word (how a raw byte is shown), its range, which of its
// controls are shown, who may change it and how it is written back, and
// where it sits. The installation screen builds its parameter rows from this
// table and from nothing else.
#pragma once

#include <span>
#include <string_view>

namespace unit {

// The text box of a row.
enum class RowText {
  None,    // the row has no text box (its value shows elsewhere)
  Shown,   // shown from the start
  Hidden,  // exists, hidden until model code shows it (or never)
};

// How the row's send button writes the value back ("none" means no button).
enum class SendKind { None, Plain, S2, BattAH, AHAdd };

// A row of the table. Columns 1 to 3 of a page are laid out left to right;
// column 0 is a row that exists but has no place on its page (never shown).
struct ParameterRow {
  int address;
  std::string_view caption;  // the shown name
  int label;                 // index of the name label lblProp, -1 for none
  std::string_view type;     // type word ("" for none)
  int min;
  int max;
  bool updown_shown;
  RowText text;
  bool typing_allowed;       // the text box takes typing (not locked)
  char access;               // 'F' Factory, 'I' Install, 'S' Status/Controls, 0 none
  SendKind send;
  int page;                  // kPageFactory, kPageInstall, kPageMemory, kPageStatus
  std::string_view group;    // caption of the block the row belongs to ("" none)
  int column;
  int start_value;           // the up-down's value on a fresh screen
};

// A group of the Memory page: a value with the date and time it was recorded.
struct MemoryGroup {
  int base;                    // value at base; date base+1, base+2; time base+3, base+4
  std::string_view caption;
  std::string_view value_type;
};

// Every row the console knows, in display order page by page (the Memory
// page's rows follow from its groups).
std::span<const ParameterRow> ParameterRows();
// The row of an address, or nullptr.
const ParameterRow* FindParameterRow(int address);

std::span<const MemoryGroup> MemoryGroups();
// The Gen Hours line of the Memory page: its value is the pair 212/213 and
// its date and time are 168 to 171.
inline constexpr int kGenHoursHigh = 212;
inline constexpr int kGenHoursLow = 213;
inline constexpr int kGenHoursDateTime = 168;
// The %add row: its magnitude at 225 and its sign at 226, 1 for negative.
inline constexpr int kAhAdd = 225;
inline constexpr int kAhAddSign = 226;

// Addresses that a load never shows, although some of them have rows.
bool IsSkippedAddress(int address);

// The send button's tag for a send kind ("" plain, "S2", "BATTAH", "AHADD").
std::string_view SendTag(SendKind kind);

}  // namespace unit
