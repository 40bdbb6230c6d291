// The installation screen's own buttons: closing, keeping its position, and
// the commands that other windows carry out.
#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "link/settings_access.h"
#include "unit/frm_install.h"

namespace unit {

namespace {

// Factory initialisation is a command of the main window's File menu, which
// is being built elsewhere: the button carries it out as soon as it exists.
template <class Main>
void RunFactoryInitialise(Main& main) {
  if constexpr (requires { main.mnuFactoryInit_Click(); }) main.mnuFactoryInit_Click();
}

}  // namespace

void frmInstall::cmdAddress_Click() { c_.Get<app::frmMain>().mnuOptAddress_Click(); }

void frmInstall::cmdInit_Click() { RunFactoryInitialise(c_.Get<app::frmMain>()); }

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
