// Values of the machine store as an administrator writes them, in the form
// the registry editor exports: "dword:0000001f" is a 32-bit number,
// "hex:41,54" (or "hex(7):...") raw bytes of another type, anything else a
// string.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace platform {

struct MachineData {
  enum class Type { String, Number, Bytes };
  Type type = Type::String;
  std::string text;           // the string, or the raw text of other types
  std::uint32_t number = 0;   // Type::Number
};

MachineData ParseMachineData(std::string_view raw);

// The value, or nothing when the key or the value is absent.
std::optional<MachineData> ReadMachineValue(Registry& registry, std::string_view key_path,
                                            std::string_view value_name);

// A key exists when it holds values or keys of its own.
bool MachineKeyExists(Registry& registry, std::string_view key_path);

}  // namespace platform
