// The installation screen's pages behind the toolbar: the Status page
// (ShowStatus, also opened by the link and the screen itself) and the
// Memory, Controls, Install and Factory buttons, with their access levels.
#include <string>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "unit/frm_install.h"
#include "unit/frm_security.h"

namespace app {

namespace {
constexpr int kSiteButton = 2;
constexpr int kStatusButton = 4;
constexpr int kFirstPageButton = 4;
constexpr int kLastPageButton = 8;

// A Tag that is no number (the Site button's design Tag "Site") reads as
// "not shown".
bool Shown(ui::ToolbarButton& b) { return b.Tag() == "1"; }

struct PageButton {
  const char* key;
  int page;
  const char* caption;
  bool common::SharedState::*lock;  // nullptr: the page has no level
};

constexpr PageButton kPageButtons[] = {
    {"Memory", unit::kPageMemory, "Memory", nullptr},
    {"Controls", unit::kPageControls, "Controls (Level 2)", &common::SharedState::ControlsLocked},
    {"Install", unit::kPageInstall, "Install (Level 3)", &common::SharedState::InstallLocked},
    {"Factory", unit::kPageFactory, "Factory (Level 4)", &common::SharedState::FactoryLocked},
};

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

void frmMain::ShowLockedPage() {
  auto& install = c_.Get<unit::frmInstall>();
  SelectInstallPageOption();
  install.Show();
  install.cmdLock.Visible = true;
}

void frmMain::ShowStatus(bool force, bool skip_ask) {
  auto& st = c_.st;
  auto& install = c_.Get<unit::frmInstall>();
  ui::ToolbarButton& status = tbToolBar.Buttons(kStatusButton);
  st.CurrentKey = status.Key();
  st.InstallPage = unit::kPageStatus;
  install.Caption = "Status";
  const bool wanted = !Shown(status) || force;
  if (wanted && st.ControlsLocked) {
    ReleasePageButtons();
    PressButton(kStatusButton);
    if (!st.Online || skip_ask) {
      ShowLockedPage();
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

// A locked Controls page always asks; a locked Install or Factory page asks
// only online and otherwise opens with its level still locked.
void frmMain::PageButton_Click(ui::ToolbarButton& button) {
  const std::string key = button.Key();
  const PageButton* which = nullptr;
  for (const PageButton& b : kPageButtons)
    if (key == b.key) which = &b;
  if (which == nullptr) return;
  auto& st = c_.st;
  auto& install = c_.Get<unit::frmInstall>();
  st.InstallPage = which->page;
  install.Caption = which->caption;
  const bool locked = which->lock != nullptr && st.*(which->lock);
  if (!Shown(button) && locked) {
    ReleasePageButtons();
    PressButton(button.Index());
    if (key != "Controls" && !st.Online)
      ShowLockedPage();
    else
      c_.Get<unit::frmSecurity>().Show(true, this);
  } else if (!Shown(button)) {
    if (key == "Controls") {
      auto& progress = c_.Get<frmProgress>();
      progress.Caption = "Site";
      progress.cmdUpdate.Enabled = false;
      progress.cmdDisconnect.Enabled = false;
      PressButton(kSiteButton);
    }
    install.Show();
    install.cmdLock.Visible = key != "Memory";
    install.ZOrder();
    SelectInstallPageOption();
    ReleasePageButtons();
    PressButton(button.Index());
  } else {
    install.Hide();
    button.Tag = "0";
    button.Value = ui::tbrUnpressed;
  }
}

}  // namespace app
