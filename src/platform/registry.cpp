#include "platform/registry.h"

namespace platform {

namespace {
std::string UserKey(std::string_view section, std::string_view key) {
  return std::string(section) + "\\" + std::string(key);
}
}  // namespace

std::string MemoryRegistry::GetSetting(std::string_view section, std::string_view key,
                                       std::string_view default_value) {
  auto it = user_.find(UserKey(section, key));
  return it == user_.end() ? std::string(default_value) : it->second;
}

void MemoryRegistry::SaveSetting(std::string_view section, std::string_view key,
                                 std::string_view value) {
  user_[UserKey(section, key)] = std::string(value);
}

void MemoryRegistry::DeleteSetting(std::string_view section, std::string_view key) {
  user_.erase(UserKey(section, key));
}

bool MemoryRegistry::HasSetting(std::string_view section, std::string_view key) const {
  return user_.count(UserKey(section, key)) != 0;
}

std::vector<std::string> MemoryRegistry::MachineSubKeys(std::string_view key_path) {
  std::vector<std::string> names;
  std::string prefix = std::string(key_path) + "\\";
  for (const auto& [path, values] : machine_) {
    if (path.compare(0, prefix.size(), prefix) != 0) continue;
    std::string rest = path.substr(prefix.size());
    std::string child = rest.substr(0, rest.find('\\'));
    if (names.empty() || names.back() != child) names.push_back(child);
  }
  return names;
}

std::optional<std::string> MemoryRegistry::MachineValue(std::string_view key_path,
                                                        std::string_view value_name) {
  auto it = machine_.find(std::string(key_path));
  if (it == machine_.end()) return std::nullopt;
  auto v = it->second.find(std::string(value_name));
  if (v == it->second.end()) return std::nullopt;
  return v->second;
}

void MemoryRegistry::SetMachineValue(std::string_view key_path, std::string_view value_name,
                                     std::string_view value) {
  machine_[std::string(key_path)][std::string(value_name)] = std::string(value);
}

}  // namespace platform
