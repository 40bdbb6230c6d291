// File names the operator types for files the program writes into its folder
// ("Enter a filename for this data (no extension):"): a plain name only, so a
// typed name can never reach outside the program folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The name as typed, in the file system's own form (UTF-8: a typed "é" is
// the file system's "é"), when it is a plain file name: no "/" or "\", not
// "." or "..", no control characters, and no "?", which also stands for
// every letter a text box cannot hold. Nothing otherwise.
std::optional<std::string> PlainFileName(std::string_view typed);

}  // namespace platform
