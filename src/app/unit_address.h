// The V4 unit address as the operator types it into an input box.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace app {

inline constexpr std::int32_t kMaxUnitAddress = 65535;

// A typed address is valid when its value (Val) is from 0 to 65535 and it
// holds no letters (so "1e3" or "&H10" are refused); the value is rounded to
// a whole number half to even ("2.5" gives 2). An empty answer is no address
// either: callers tell the two apart themselves.
std::optional<std::int32_t> ParseUnitAddress(std::string_view answer);

}  // namespace app
