// The status export file "Status00.dat": one value per line, written at the
// hang-up and by the callout run, never read back.
#pragma once

#include <string>

namespace app {
class Console;
}

namespace unit {

inline constexpr const char* kStatusExportFileName = "Status00.dat";

void SaveStatusFile(app::Console& c, const std::string& path);

}  // namespace unit
