// The installation screen's own buttons: closing, keeping its position,
// printing the report, and the commands that other windows carry out.
#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "link/settings_access.h"
#include "unit/frm_install.h"
#include "unit/installation_report.h"

namespace unit {

void frmInstall::cmdAddress_Click() { c_.Get<app::frmMain>().mnuOptAddress_Click(); }

void frmInstall::cmdInit_Click() { c_.Get<app::frmMain>().mnuFactoryInit_Click(); }

void frmInstall::cmdPrint_Click() { PrintInstallationReport(c_); }

void frmInstall::cmdDisconnect_Click() { c_.Get<app::frmProgress>().cmdDisconnect_Click(); }

void frmInstall::cmdClose_Click() {
  c_.Get<app::frmMain>().ReleasePageButtons();
  Hide();
}

void frmInstall::cmdSavePos_Click() {
  auto& settings = c_.settings;
  for (const auto& [name, value] :
       {std::pair{"frmInstall.Left", Left()}, std::pair{"frmInstall.Top", Top()}}) {
    if (lnk::FindSetting(c_, name) == 0) continue;  // the lookup told the operator
    settings.Current().SettingValue = static_cast<float>(value);
    settings.SettingNumToText();
  }
}

}  // namespace unit
