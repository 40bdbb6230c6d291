// The network road's "Remote Port:", as typed into the settings dialog and
// kept in the per-user store: a TCP port, a whole number from 1 to 65535.
#pragma once

#include <optional>
#include <string_view>

namespace app {

// The port the text names: decimal digits only (blanks around them allowed),
// 1 to 65535. Nothing for anything else ("70000", "1e10", "4660.5", "").
std::optional<int> ParseRemotePort(std::string_view text);

// What the operator is told of a port that is none.
inline constexpr const char* kRemotePortRange =
    "The Remote Port must be a whole number from 1 to 65535.";

}  // namespace app
