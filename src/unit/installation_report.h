// The printed installation report: a template from the program folder, one
// per unit family, whose lines place what the installation screen shows at
// character columns of a Courier 10 page (the line format: report_template.h).
#pragma once

#include <string>
#include <string_view>

#include "platform/printer.h"

#include "unit/report_template.h"

namespace app {
class Console;
}

namespace unit {

// "Report4.ini" for a V4 unit; for a text unit by its firmware variant
// (parameter 4): "Report2.ini" for 14, "Report3.ini" for 15, else "Report.ini".
std::string ReportTemplateName(app::Console& c);

// What a row, alarm-marker or key field prints. A row or alarm label the
// screen does not have, or an alarm label whose position is not 1 to 16,
// prints "-"; "PAGE" and "END" print nothing.
std::string ReportFieldText(app::Console& c, const ReportItem& field);

// Prints one report on the console's printer. "END" ends and sends the
// document and sets PrintPending; a template without it leaves the document
// open. A template that cannot be read prints nothing and is named to the
// operator.
void PrintInstallationReport(app::Console& c);
// The same from the template's text, on printer.
void PrintReport(app::Console& c, platform::Printer& printer, std::string_view report_template);

}  // namespace unit
