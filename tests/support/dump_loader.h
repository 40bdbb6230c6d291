// Loads a dump the way the reply handling does once a dump is complete:
// the parser by the reply's form, every address checked in ascending order,
// then the load is finished with the collected report lines. (The reply
// state machine's retries and messages are not part of it.)
#pragma once

#include <string>

#include "sample_parameter_dump.h"

namespace app {
class Console;
}

namespace testkit {

// A text reply: the checked form when its first carriage return is the
// ninth character, the plain form otherwise. Returns the report lines.
std::string LoadTextDump(app::Console& c, const std::string& reply);

// A V4 image: addresses 0 to 274 straight into the image.
std::string LoadBinaryImage(app::Console& c, const ParameterValues& values);

}  // namespace testkit
