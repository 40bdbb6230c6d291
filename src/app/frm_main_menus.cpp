// The main window's menu entries that act on their own: exit, the site
// table, the datalog reset, help, the terminal gate, and the guards that
// the site and settings entries share.
#include "app/console.h"
#include "app/frm_about.h"
#include "app/frm_help.h"
#include "app/frm_main.h"
#include "app/site_removal.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/settings_access.h"
#include "sites/frm_map.h"
#include "sites/site_queries.h"
#include "unit/frm_security.h"

namespace app {

namespace {
constexpr const char* kSelectSiteHint = "You may select a site by left-clicking it on the map.";
}

void frmMain::mnuFileExit_Click() {
  if (c_.rt.MsgBox("Are you sure you want to exit the program?", ui::vbYesNo + ui::vbQuestion,
                   "Confirm exit") == ui::vbYes)
    Unload();
}

bool frmMain::SiteGuard(const std::string& first_line) {
  if (c_.st.SelectedSiteID != 0) return true;
  c_.rt.MsgBox(first_line + "\r\n" + kSelectSiteHint, ui::vbInformation, app_info::kTitle);
  return false;
}

bool frmMain::SettingsGuard() {
  if (c_.st.Online && lnk::SettingValue(c_, "chkDemo") == 0) {
    c_.rt.MsgBox(
        "Settings can only be changed while offline.\r\n"
        "Please disconnect from the current site before changing settings.",
        ui::vbInformation, "Online");
    return false;
  }
  if (c_.MSComm1.PortOpen()) c_.MSComm1.SetPortOpen(false);
  return true;
}

// Removes the selected site's row; its data-log rows stay, and so do the
// selected site's name and number. A refused removal changes nothing.
void frmMain::mnuRemoveSite_Click() {
  if (!SiteGuard("First select a site to remove.")) return;
  if (c_.rt.MsgBox("Are you sure you want to delete this site?", ui::vbYesNo + ui::vbQuestion,
                   "Confirm site removal") != ui::vbYes)
    return;
  if (!RemoveSiteRow(c_, sites::RemoveSiteQuery(c_.st.SelectedSiteID))) return;
  c_.Get<sites::frmMap>().Form_Resize();
  c_.st.SelectedSiteID = 0;
}

// Sent whether a unit is connected or not: the sender decides.
void frmMain::mnuResetDatalog_Click() {
  c_.st.CmdState = lnk::kDatalogReset;
  c_.st.AutoNext = false;
  lnk::SendCommand(c_);
}

void frmMain::mnuInstructions_Click() { c_.Get<frmHelp>().Show(false, this); }

void frmMain::mnuHelpAbout_Click() { c_.Get<frmAbout>().Show(true, this); }

// The password dialog opens the terminal window when it is given the
// terminal's combination.
void frmMain::mnuTerminal_Click() {
  c_.st.CurrentKey = "Terminal";
  c_.Get<unit::frmSecurity>().Show(true, this);
}

}  // namespace app
