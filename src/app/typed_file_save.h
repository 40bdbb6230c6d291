// Saving unit data under a name the operator types (no extension): the
// input box, the plain-name check and the atomic write into the program
// folder, with the extension ".vkx".
#pragma once

#include <string_view>

namespace app {

class Console;

// Asks with prompt and title; an empty answer writes nothing. A name that is
// not a plain file name, or a write that fails, is told to the operator.
void SaveUnderTypedName(Console& c, std::string_view prompt, std::string_view title,
                        std::string_view bytes);

}  // namespace app
