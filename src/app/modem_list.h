// The modems the machine store lists under the modem device class, each
// with an initialisation string made from its driver's, and "Default".
//
// An administrator lists modem n (0 to 9) as the key
// "System\CurrentControlSet\Services\Class\Modem\000n" of the machine store
// with the string value "DriverDesc" (the modem's name), and the key below
// it "...\000n\Init" with the string value "2" (the driver's init string).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {
class Registry;
}

namespace app {

// Key of modem n, without n: the number is appended unpadded, so only the
// modems 0 to 9 can be found.
inline constexpr const char* kModemClassKey = "System\\CurrentControlSet\\Services\\Class\\Modem\\000";
inline constexpr const char* kDefaultModemName = "Default";
inline constexpr const char* kDefaultModemInit = "AT&FS0=0";
// Entries of the init-string table (indexes 0 to 20).
inline constexpr int kInitTableSize = 21;

struct ModemEntry {
  std::string name;  // as the list shows it
  int data = 0;  // its init-string table index
  std::string init;
};

// One string value of a key of the machine store, read as the registry
// call reads it into a 256-character buffer: "" when the key is absent,
// "--Not String--" when the value is absent, too long or not a string,
// else the text followed by its terminating zero.
std::string GetKeyValue(platform::Registry& registry, std::string_view key_path,
                        std::string_view value_name);

// The driver's init string as the console sends it: control characters,
// "<", ">" and every character after "Z" removed; a trailing "S0=" and ring
// count made "S0=0"; "S0=0" appended when it does not end so.
std::string CleanInitString(std::string_view init);

// The modems in number order, then "Default" ("AT&FS0=0").
std::vector<ModemEntry> FindModems(platform::Registry& registry);

}  // namespace app
