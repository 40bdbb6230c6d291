// A whole number and nothing else: what the operator types where only whole
// numbers make sense (a site number, a battery capacity), and a number token
// of a unit's text reply (an alarm report's site, a log record's values).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace common {

// Digits with an optional sign, blanks around them allowed; at most ten
// digits. "", "abc", "1,234", "12.5" and "1e3" are none.
std::optional<std::int64_t> WholeNumber(std::string_view text);

}  // namespace common
