// The settings loader takes whatever text is in the file: it must never
// crash, and what it accepts must save and load back to the same table.
// Whatever text a record is given (the input itself here), the file keeps
// one line a setting.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "link/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  lnk::SettingsTable table;
  if (table.Load(text)) return 0;
  table.Find("chkDemo");
  table.SettingTextToNum();
  if (table.SettingCount > 0) table.AppSettings[1].SettingText = text;
  std::string saved = table.Save();
  lnk::SettingsTable again;
  if (again.Load(saved) || again.Save() != saved || again.SettingCount != table.SettingCount)
    std::abort();
  return 0;
}
