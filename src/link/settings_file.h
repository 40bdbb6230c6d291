// The settings file "VKX1300.ini": one "[key]=value" line per setting, closed
// by a line "***". Loaded once at start into a table of at most 50 records,
// looked up by name, changed in memory and written back at exit.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lnk {

inline constexpr const char* kSettingsFileName = "VKX1300.ini";
inline constexpr int kMaxSettings = 50;

struct SettingRec {
  std::string SettingName;
  std::string SettingText;   // the stored form
  float SettingValue = 0;    // numeric value of the text
  bool SettingFlag = false;  // text is exactly "True"
};

class SettingsTable {
 public:
  // Record 0 is what a failed lookup points at: never loaded or saved.
  std::array<SettingRec, kMaxSettings + 1> AppSettings{};
  int SettingCount = 0;
  int CurrentSetting = 0;

  // Parses the file's contents. On a file without the closing "***" line or
  // with more than 50 settings returns the reason and leaves the table empty.
  std::optional<std::string> Load(std::string_view file_text);
  // The file's contents: every record in order, each on one line (a line
  // break inside a name or value is dropped), then "***".
  std::string Save() const;

  // Index of the last record named `name` (stored in CurrentSetting), or 0.
  // The message for a missing name is the caller's (FindSetting).
  int Find(std::string_view name);

  // The three conversions on record CurrentSetting.
  void SettingNumToText();
  void SettingBoolToText();
  void SettingTextToNum();

  SettingRec& Current() { return AppSettings[static_cast<size_t>(CurrentSetting)]; }
};

}  // namespace lnk
