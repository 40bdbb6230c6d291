// The status export file "Status00.dat": one value per line, written at the
// hang-up and by the callout run, never read back.
#pragma once

#include <string>

namespace app {
class Console;
}

namespace unit {

inline constexpr const char* kStatusExportFileName = "Status00.dat";
inline constexpr int kStatusExportLines = 167;

// The export's lines as the screens show them now, each closed by CR LF.
std::string StatusExportText(app::Console& c);

// Writes the export to path while the map window is shown or a callout run
// is active, once the last session reached its unit (else the file is left
// as it is). The file is replaced whole or not at all; a failure is reported
// to the operator.
void SaveStatusFile(app::Console& c, const std::string& path);

}  // namespace unit
