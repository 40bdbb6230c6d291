#include "link/settings_access.h"

#include "app/console.h"
#include "common/app_info.h"

namespace lnk {

int FindSetting(app::Console& c, std::string_view name) {
  int index = c.settings.Find(name);
  if (index == 0)
    c.rt.MsgBox("Setting '" + std::string(name) + "' not found.", ui::vbOKOnly, app_info::kTitle);
  return index;
}

SettingRec& Setting(app::Console& c, std::string_view name) {
  return c.settings.AppSettings[static_cast<size_t>(FindSetting(c, name))];
}

float SettingValue(app::Console& c, std::string_view name) { return Setting(c, name).SettingValue; }

std::string SettingText(app::Console& c, std::string_view name) {
  return Setting(c, name).SettingText;
}

std::optional<std::string> LoadSettings(app::Console& c) {
  std::string path = c.folder.FilePath(kSettingsFileName);
  auto text = c.folder.ReadFile(kSettingsFileName);
  if (!text) return "The settings file " + path + " cannot be read.";
  if (auto error = c.settings.Load(*text)) return "The settings file " + path + " is damaged: " + *error + ".";
  return std::nullopt;
}

std::optional<std::string> SaveSettings(app::Console& c) {
  return c.folder.WriteFileAtomic(kSettingsFileName, c.settings.Save());
}

}  // namespace lnk
