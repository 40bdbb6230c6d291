// File names the operator types for files the program writes into its folder
// ("Enter a filename for this data (no extension):"): a plain name only, so a
// typed name can never reach outside the program folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The name as typed when it is a plain file name (no "/" or "\", not "." or
// "..", no control characters); nothing otherwise.
std::optional<std::string> PlainFileName(std::string_view typed);

}  // namespace platform
