// Carrying a loaded parameter image into the installation screen: each value
// into its row (or the report of a value outside the row's range), the
// boundary message, the battery capacity boxes and the rows that depend on
// the unit's model. Every loader calls CheckParameterValue for each address
// in ascending order and then ShowLoadedParameters with the report lines.
#pragma once

#include <cstdint>
#include <string>

namespace app {
class Console;
}

namespace unit {

// Shows value in the row of address; returns "" or one report line
// "a (min...max) = v" CR LF for a value outside the row's range.
std::string CheckParameterValue(app::Console& c, int address, int value);

// Generator timing rows, battery capacity boxes, the end of the load, the
// "Data boundary error(s):" message (none for ""), and the rows of a unit
// with battery-safe maintenance.
void ReportParameterBounds(app::Console& c, const std::string& errors);

// Finishes a load: every loaded row redrawn, bounds reported, dialect and
// model rows, firmware version, the Memory page's extremes, and the update
// buttons turned green.
void ShowLoadedParameters(app::Console& c, const std::string& errors);

// Draws again every row that holds its loaded value, now that all values
// are in: a row's text can depend on rows loaded after it, and a value equal
// to the spinner's raises no Change. Rows showing an out-of-range number keep it.
void RedrawLoadedRows(app::Console& c);

// major * 10000 + minor * 100 + build, from the texts of rows 3, 4 and 5.
std::int32_t FirmwareVersionFromRows(app::Console& c);

}  // namespace unit
