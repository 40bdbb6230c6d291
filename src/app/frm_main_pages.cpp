#include "app/console.h"
#include "app/frm_main.h"
#include "unit/frm_install.h"
#include "unit/frm_security.h"

namespace app {

namespace {
constexpr int kStatusButton = 4;
constexpr int kFirstPageButton = 4;
constexpr int kLastPageButton = 8;

// A Tag that is no number (the Site button's design Tag "Site") reads as
// "not shown".
bool Shown(ui::ToolbarButton& b) { return b.Tag() == "1"; }
}  // namespace

void frmMain::ReleasePageButtons() {
  for (int i = kFirstPageButton; i <= kLastPageButton; ++i) {
    tbToolBar.Buttons(i).Tag = "0";
    tbToolBar.Buttons(i).Value = ui::tbrUnpressed;
  }
}

void frmMain::PressButton(int index) {
  tbToolBar.Buttons(index).Tag = "1";
  tbToolBar.Buttons(index).Value = ui::tbrPressed;
}

void frmMain::SelectInstallPageOption() {
  auto& install = c_.Get<unit::frmInstall>();
  for (int i = unit::kPageFactory; i <= unit::kPageStatus; ++i) install.fInstall[i].Visible = false;
  auto& page = install.fInstall[c_.st.InstallPage];
  page.Top = 0;
  page.Visible = true;
}

void frmMain::ShowStatus(bool force, bool skip_ask) {
  auto& st = c_.st;
  auto& install = c_.Get<unit::frmInstall>();
  ui::ToolbarButton& status = tbToolBar.Buttons(kStatusButton);
  st.CurrentKey = status.Key();
  st.InstallPage = unit::kPageStatus;
  install.Caption = "Status";
  bool wanted = !Shown(status) || force;
  if (wanted && st.ControlsLocked) {
    ReleasePageButtons();
    PressButton(kStatusButton);
    if (!st.Online || skip_ask) {
      SelectInstallPageOption();
      install.Show();
      install.cmdLock.Visible = true;
      if (st.Online) install.cmdLock.Caption = "Unlock";
      install.ZOrder();
    } else {
      c_.Get<unit::frmSecurity>().Show(true, this);
    }
  } else if (wanted) {
    PressButton(kStatusButton);
    install.Show();
    install.cmdLock.Visible = true;
    install.ZOrder();
    SelectInstallPageOption();
    ReleasePageButtons();
    PressButton(kStatusButton);
  } else {
    install.Hide();
    status.Tag = "0";
    status.Value = ui::tbrUnpressed;
  }
}

}  // namespace app
