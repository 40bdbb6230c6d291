// A number the operator types where only whole numbers make sense (a site
// number, a battery capacity): one whole number and nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace common {

// Digits with an optional sign, blanks around them allowed; at most ten
// digits. "", "abc", "1,234", "12.5" and "1e3" are none.
std::optional<std::int64_t> WholeNumber(std::string_view text);

}  // namespace common
