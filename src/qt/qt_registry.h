// The settings stores on QSettings in INI form. The per-user store is
// $XDG_CONFIG_HOME/vkx4700/VKX-4700.ini unless a file is named; each section
// is a group, and values are the file system's bytes (UTF-8). The machine store is read from a second INI file (none: an
// empty store), its "\"-separated key paths mapped to nested groups.
#pragma once

#include <QSettings>
#include <memory>
#include <string>

#include "platform/registry.h"

namespace qtui {

class QtRegistry : public platform::Registry {
 public:
  // user_ini: file of the per-user store ("" for the default place);
  // machine_ini: file of the machine store ("" for none).
  explicit QtRegistry(const std::string& user_ini = {}, const std::string& machine_ini = {});
  ~QtRegistry() override;

  // Where the per-user store lives.
  std::string UserFile() const;

  std::string GetSetting(std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  void SaveSetting(std::string_view section, std::string_view key, std::string_view value) override;
  void DeleteSetting(std::string_view section, std::string_view key) override;
  std::vector<std::string> MachineSubKeys(std::string_view key_path) override;
  std::optional<std::string> MachineValue(std::string_view key_path,
                                          std::string_view value_name) override;

 private:
  // A store written through Latin-1 becomes a UTF-8 one, every value reading
  // as it did.
  void ConvertLatin1Store();
  void MarkUtf8();

  std::unique_ptr<QSettings> user_;
  bool utf8_ = false;  // the per-user store keeps UTF-8
  std::unique_ptr<QSettings> machine_;  // nullptr: no machine store
};

}  // namespace qtui
