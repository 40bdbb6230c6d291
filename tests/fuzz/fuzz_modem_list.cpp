// Fuzzes what the modem selection reads from the machine store: any name and
// init string an administrator writes. The init string sent always ends in
// "S0=0" and holds only what a modem reads (blank to "Z", without "<" and
// ">"); a name is listed up to its first zero; "Default" always comes last.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/modem_list.h"
#include "fuzz_support.h"
#include "platform/machine_value.h"
#include "platform/registry.h"

namespace {

using testkit::Require;

void RequireSendable(const std::string& init) {
  Require(init.size() >= 4 && init.substr(init.size() - 4) == "S0=0");
  for (char ch : init) {
    const auto code = static_cast<unsigned char>(ch);
    Require(code >= ' ' && code <= 'Z' && ch != '<' && ch != '>');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t cut = input.find('\n');
  const std::string name(input.substr(0, cut));
  const std::string init(cut == std::string_view::npos ? std::string_view{} : input.substr(cut + 1));

  RequireSendable(app::CleanInitString(init));
  (void)platform::ParseMachineData(input);

  platform::MemoryRegistry store;
  const std::string key = std::string(app::kModemClassKey) + "0";
  store.SetMachineValue(key, "DriverDesc", name);
  store.SetMachineValue(key + "\\Init", "2", init);
  const auto modems = app::FindModems(store);
  Require(!modems.empty() && modems.back().name == app::kDefaultModemName);
  for (const auto& modem : modems) {
    Require(modem.name.find('\0') == std::string::npos);
    RequireSendable(modem.init);
  }
  return 0;
}
