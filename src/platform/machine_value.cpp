#include "platform/machine_value.h"

#include <algorithm>
#include <cctype>

namespace platform {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

std::optional<std::uint32_t> HexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t n = 0;
  for (char ch : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(ch))) return std::nullopt;
    const int v = std::isdigit(static_cast<unsigned char>(ch))
                      ? ch - '0'
                      : std::tolower(static_cast<unsigned char>(ch)) - 'a' + 10;
    n = n * 16 + static_cast<std::uint32_t>(v);
  }
  return n;
}

}  // namespace

MachineData ParseMachineData(std::string_view raw) {
  MachineData data;
  data.text = std::string(raw);
  if (StartsWithNoCase(raw, "dword:")) {
    if (auto n = HexNumber(raw.substr(6))) {
      data.type = MachineData::Type::Number;
      data.number = *n;
    }
  } else if (StartsWithNoCase(raw, "hex:") || StartsWithNoCase(raw, "hex(")) {
    data.type = MachineData::Type::Bytes;
  }
  return data;
}

std::optional<MachineData> ReadMachineValue(Registry& registry, std::string_view key_path,
                                            std::string_view value_name) {
  auto raw = registry.MachineValue(key_path, value_name);
  if (!raw) return std::nullopt;
  return ParseMachineData(*raw);
}

bool MachineKeyExists(Registry& registry, std::string_view key_path) {
  const size_t cut = key_path.rfind('\\');
  if (cut == std::string_view::npos) return false;
  const std::string name(key_path.substr(cut + 1));
  const auto children = registry.MachineSubKeys(key_path.substr(0, cut));
  return std::find(children.begin(), children.end(), name) != children.end();
}

}  // namespace platform
