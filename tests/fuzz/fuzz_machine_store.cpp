// Fuzzes what the console reads from the machine store: a value text is a
// number exactly when it is "dword:" and one to eight hex digits, and that
// number reads back from its own eight digits; a modem's init string comes
// out with only the characters a modem takes, ending "S0=0", the same when
// cleaned again, and made of the input's characters in their order.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/modem_list.h"
#include "common/vb.h"
#include "fuzz_support.h"
#include "platform/machine_value.h"

using testkit::Require;

namespace {

bool IsHex(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return false;
  for (const char c : digits)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
  return true;
}

void CheckMachineData(std::string_view raw) {
  using Type = platform::MachineData::Type;
  const platform::MachineData data = platform::ParseMachineData(raw);
  Require(data.text == raw);
  const std::string head = vb::LCase(raw.substr(0, 6));
  const bool number = head == "dword:" && IsHex(raw.substr(6));
  Require((data.type == Type::Number) == number);
  if (number) {
    char text[24];
    std::snprintf(text, sizeof text, "DWORD:%08X", data.number);
    const platform::MachineData again = platform::ParseMachineData(text);
    Require(again.type == Type::Number && again.number == data.number);
  }
  const bool bytes = head.starts_with("hex:") || head.starts_with("hex(");
  Require((data.type == Type::Bytes) == (!number && bytes));
}

void CheckInitString(std::string_view init) {
  const std::string clean = app::CleanInitString(init);
  for (const char c : clean) {
    const auto code = static_cast<unsigned char>(c);
    Require(code >= ' ' && code <= 'Z' && c != '<' && c != '>');
  }
  Require(clean.ends_with("S0=0"));
  Require(app::CleanInitString(clean) == clean);
  // Every character but an appended "S0=0" or the ring count made 0 comes
  // from the input, in its order.
  const std::string_view kept = std::string_view(clean).substr(0, clean.size() - 4);
  std::size_t at = 0;
  for (const char c : kept) {
    at = init.find(c, at);
    Require(at != std::string_view::npos);
    ++at;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckMachineData(input);
  CheckInitString(input);
  return 0;
}
