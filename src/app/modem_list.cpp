#include "app/modem_list.h"

#include "common/vb.h"
#include "platform/machine_value.h"

namespace app {

namespace {
constexpr size_t kValueBufferSize = 256;
constexpr const char* kNotString = "--Not String--";
}  // namespace

std::string GetKeyValue(platform::Registry& registry, std::string_view key_path,
                        std::string_view value_name) {
  if (!platform::MachineKeyExists(registry, key_path)) return "";
  const auto value = platform::ReadMachineValue(registry, key_path, value_name);
  if (!value || value->type != platform::MachineData::Type::String ||
      value->text.size() + 1 > kValueBufferSize)
    return kNotString;
  // The size the query reports counts the terminating zero, and so does the text.
  return value->text + '\0';
}

std::string CleanInitString(std::string_view init) {
  std::string out;
  for (char ch : init) {
    const auto code = static_cast<unsigned char>(ch);
    if (code < ' ' || ch == '<' || ch == '>' || code > 'Z') continue;
    out.push_back(ch);
  }
  if (out.size() >= 4 && vb::Mid(out, vb::Len(out) - 3, 3) == "S0=") out.back() = '0';
  if (vb::Right(out, 4) != "S0=0") out += "S0=0";
  return out;
}

std::vector<ModemEntry> FindModems(platform::Registry& registry) {
  std::vector<ModemEntry> modems;
  int n = 0;
  // The table's last entry is kept for "Default".
  for (; n < kInitTableSize - 1; ++n) {
    const std::string key = kModemClassKey + vb::CStr(n);
    const std::string name = GetKeyValue(registry, key, "DriverDesc");
    if (name.empty()) break;
    // The list shows a name up to its terminating zero, as the list control does.
    modems.push_back(ModemEntry{name.substr(0, name.find('\0')), n,
                                CleanInitString(GetKeyValue(registry, key + "\\Init", "2"))});
  }
  modems.push_back(ModemEntry{kDefaultModemName, n, kDefaultModemInit});
  return modems;
}

}  // namespace app
