// The data-log list: one line per day of the last year for the selected
// site, newest first, "n/a" where the data table holds no record, and the
// extremes of each column over the listed records.
#pragma once

#include <string>

#include "common/vb_date.h"

namespace app {
class Console;
}

namespace sites {

// The day key of d: the eight digits YYYYMMDD, as tData.DataDate holds it.
std::string DateKey(vb::DateTime d);
// The day of a key as the list shows it: 2005/03/15 from 20050315.
std::string DayText(const std::string& key);

// Fills frmLog's list and LogExtremes from tData for SelectedSiteNum, with
// the hourglass shown meanwhile, and clears LogDownloaded. It does not show
// the window. A query the database fails is reported to the operator and
// leaves the list empty and LogDownloaded as it was; false then.
bool FillDataLogList(app::Console& c);

}  // namespace sites
