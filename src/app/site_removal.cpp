#include "app/site_removal.h"

#include "app/console.h"
#include "common/app_info.h"

namespace app {

bool RemoveSiteRow(Console& c, const std::string& query) {
  c.rsShared = c.Db.OpenRecordset(query, {}, platform::ReadFailure::ByCaller);
  // An open that failed leaves an empty recordset with its reason.
  bool removed = c.rsShared.Error().empty() && (c.rsShared.Eof() || c.rsShared.Delete());
  const std::string why = c.rsShared.Error();
  c.rsShared.Close();
  if (!removed)
    c.rt.MsgBox("The site could not be removed: " + why, ui::vbExclamation, app_info::kTitle);
  return removed;
}

}  // namespace app
