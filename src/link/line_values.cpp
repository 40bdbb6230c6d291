#include "link/line_values.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "app/console.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "common/whole_number.h"
#include "link/settings_access.h"

namespace lnk {

namespace {

constexpr int kHighestCommPort = 16;
// The S0 register, which the ring count becomes, holds a byte.
constexpr int kMostRings = 255;

bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> values) {
  return std::find(values.begin(), values.end(), vb::Trim(text)) != values.end();
}

bool IsPort(std::string_view text) { return WholeNumberIn(text, 1, kHighestCommPort).has_value(); }
bool IsRings(std::string_view text) { return WholeNumberIn(text, 0, kMostRings).has_value(); }
// The standard rates a serial line is set to.
bool IsBaud(std::string_view text) {
  return IsOneOf(text, {"110", "300", "600", "1200", "2400", "4800", "9600", "19200", "38400",
                        "57600", "115200"});
}
bool IsDataBits(std::string_view text) { return IsOneOf(text, {"5", "6", "7", "8"}); }
bool IsStopBits(std::string_view text) { return IsOneOf(text, {"1", "1.5", "2"}); }
bool IsParity(std::string_view text) {
  return IsOneOf(text, {"N", "O", "E", "M", "S", "n", "o", "e", "m", "s"});
}

constexpr const char* kPortRule = "a whole number from 1 to 16";
constexpr const char* kBaudRule =
    "one of 110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600 and 115200";
constexpr const char* kDataRule = "5, 6, 7 or 8";
constexpr const char* kParityRule = "N, O, E, M or S";
constexpr const char* kStopRule = "1, 1.5 or 2";

constexpr std::array<LineField, 11> kFields{{
    {"ModemComPort", "Modem COM Port", kPortRule, "Modem", IsPort},
    {"ModemDataBits", "Modem Data Bits", kDataRule, "Modem", IsDataBits},
    {"ModemParity", "Modem Parity", kParityRule, "Modem", IsParity},
    {"ModemStopBits", "Modem Stop Bits", kStopRule, "Modem", IsStopBits},
    {"ModemBaud", "Modem Baud", kBaudRule, "Modem", IsBaud},
    {"ModemRings", "Number of Rings", "a whole number from 0 to 255", "Modem", IsRings},
    {"CableComPort", "Cable COM Port", kPortRule, "Cable", IsPort},
    {"CableDataBits", "Cable Data Bits", kDataRule, "Cable", IsDataBits},
    {"CableParity", "Cable Parity", kParityRule, "Cable", IsParity},
    {"CableStopBits", "Cable Stop Bits", kStopRule, "Cable", IsStopBits},
    {"CableBaud", "Cable Baud", kBaudRule, "Cable", IsBaud},
}};

}  // namespace

std::span<const LineField> LineFields() { return kFields; }

const LineField& LineFieldOf(std::string_view key) {
  for (const LineField& field : kFields)
    if (key == field.key) return field;
  return kFields.front();  // never reached: callers name listed entries
}

std::string LineFieldRule(const LineField& field) {
  return std::string("The ") + field.name + " must be " + field.requirement + ".";
}

std::optional<int> WholeNumberIn(std::string_view text, int low, int high) {
  // A sign is no part of a count or a port's digits ("+2").
  if (vb::Trim(text).find_first_of("+-") == 0) return std::nullopt;
  const std::optional<std::int64_t> n = common::WholeNumber(text);
  if (!n || *n < low || *n > high) return std::nullopt;
  return static_cast<int>(*n);
}

namespace {

// The stored text of a listed entry, or nothing after telling the operator
// what it holds and what it must be.
std::optional<std::string> UsableText(app::Console& c, std::string_view key) {
  const LineField& field = LineFieldOf(key);
  std::string text = SettingText(c, key);
  if (field.holds(text)) return text;
  c.rt.MsgBox(LineFieldRule(field) + " It is \"" + text +
                  "\".\r\nPlease correct it under Options, Settings, " + field.page + ".",
              ui::vbExclamation, app_info::kTitle);
  return std::nullopt;
}

// The whole number a listed entry holds, likewise.
std::optional<int> StoredWholeNumber(app::Console& c, std::string_view key, int low, int high) {
  const std::optional<std::string> text = UsableText(c, key);
  if (!text) return std::nullopt;
  return WholeNumberIn(*text, low, high);
}

}  // namespace

std::optional<int> StoredRings(app::Console& c) {
  return StoredWholeNumber(c, "ModemRings", 0, kMostRings);
}

std::optional<int> StoredCommPort(app::Console& c, std::string_view key) {
  return StoredWholeNumber(c, key, 1, kHighestCommPort);
}

}  // namespace lnk
