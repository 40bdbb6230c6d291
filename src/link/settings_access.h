// Looking settings up by name, with the message the operator sees when the
// settings file lacks a key, and loading and saving the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/settings_file.h"

namespace app {
class Console;
}

namespace lnk {

// Index of the setting (also CurrentSetting); 0 after the message
// "Setting '<name>' not found." when the file does not hold it.
int FindSetting(app::Console& c, std::string_view name);
// The record of a setting (record 0, empty, when it is missing).
SettingRec& Setting(app::Console& c, std::string_view name);
float SettingValue(app::Console& c, std::string_view name);
std::string SettingText(app::Console& c, std::string_view name);

// Reads "VKX1300.ini" from the program folder; the reason when it cannot.
std::optional<std::string> LoadSettings(app::Console& c);
// Writes it back (safely: a crash while writing leaves the old file).
std::optional<std::string> SaveSettings(app::Console& c);

}  // namespace lnk
