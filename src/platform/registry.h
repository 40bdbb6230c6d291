// The per-user settings store ("Settings" section and others, under the
// application's title) and the read-only machine store that the modem list
// and the system-information button look into.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Registry {
 public:
  virtual ~Registry() = default;

  // GetSetting(section, key, default) of the per-user store.
  virtual std::string GetSetting(std::string_view section, std::string_view key,
                                 std::string_view default_value) = 0;
  // Written at once.
  virtual void SaveSetting(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
  virtual void DeleteSetting(std::string_view section, std::string_view key) = 0;

  // Machine store: names of the sub-keys of a key path (with "\" separators)
  // and one value of a key; nothing when absent.
  virtual std::vector<std::string> MachineSubKeys(std::string_view key_path) = 0;
  virtual std::optional<std::string> MachineValue(std::string_view key_path,
                                                  std::string_view value_name) = 0;
};

// A store held in memory: the tests' registry, and a base for others.
class MemoryRegistry : public Registry {
 public:
  std::string GetSetting(std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  void SaveSetting(std::string_view section, std::string_view key,
                   std::string_view value) override;
  void DeleteSetting(std::string_view section, std::string_view key) override;
  std::vector<std::string> MachineSubKeys(std::string_view key_path) override;
  std::optional<std::string> MachineValue(std::string_view key_path,
                                          std::string_view value_name) override;

  // Sets a machine value (tests; key paths use "\" separators).
  void SetMachineValue(std::string_view key_path, std::string_view value_name,
                       std::string_view value);
  bool HasSetting(std::string_view section, std::string_view key) const;

 private:
  std::map<std::string, std::string> user_;                           // "section\key"
  std::map<std::string, std::map<std::string, std::string>> machine_;  // path -> values
};

}  // namespace platform
