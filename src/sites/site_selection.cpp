#include "sites/site_selection.h"

#include "app/console.h"
#include "link/line_use.h"
#include "link/settings_access.h"

namespace sites {

bool RefuseSiteChangeWhileLineInUse(app::Console& c) {
  if (!lnk::LineInUse(c) || lnk::SettingValue(c, "chkDemo") != 0) return false;
  c.rt.MsgBox("Please disconnect from the current site before\r\nselecting another site.",
              ui::vbInformation, "Online");
  return true;
}

}  // namespace sites
