#include "unit/frm_install.h"

#include "app/console.h"

namespace unit {

frmInstall::frmInstall(app::Console& c)
    : ui::Form(c.rt, "frmInstall"),
      InstallPages(static_cast<ui::Form&>(*this)),
      InstallStatusControls(*this, *this),
      InstallParameterControls(*this, *this),
      c_(c) {
  SetMDIChild();
  // Option pairs: index 0 is "off", 1 is "on"; each pair is its own group.
  for (auto* pair : {&optAC, &optCallout, &optNOTMode, &optLD1T, &optEqualization}) {
    pair->Load(0);
    pair->Load(1);
  }
}

void frmInstall::Design() {
  Caption = "Status";
  Move(0, 0, 9600, 7600);
  fraPages.Move(0, 0, 9480, 6600);
  for (auto& [index, page] : fInstall) {
    page->Move(0, 0, 9480, 6600);
    page->Caption = "";
    page->Visible = index == kPageFactory;
  }
  DesignCommands();
  DesignParameterRows(c_);
}

void frmInstall::DesignCommands() {
  struct Button {
    ui::CommandButton& button;
    const char* caption;
    bool enabled;
  };
  const Button buttons[] = {
      {cmdClock, "Match clock to system", false},
      {cmdEqualize, "Manual Equalize", false},
      {cmdReset, "Reset Memory/AH", false},
      {cmdResetAH, "&Reset Memory", false},
      {cmdRi, "Reset PVAH. LDAH", true},
      {cmdRj, "Reset BattAH", true},
      {cmdChangeInit, "Change", true},
      {cmdRefresh, "&Refresh all controller data", true},
      {cmdRefresh2, "Refresh", true},
      {cmdAddress, "Set Unit Address", true},
      {cmdInit, "Factory Initialize", true},
      {cmdDisconnect, "Disconnect", true},
      {cmdSavePos, "&Save Window Position", true},
      {cmdClose, "&Close", true},
      {cmdLock, "Lock", true},
      {cmdPrint, "&Print", true},
  };
  for (const Button& b : buttons) {
    b.button.Caption = b.caption;
    b.button.Enabled = b.enabled;
  }
  txtModemInit.Text = "AT&FE0X0V0S0=2";
  struct Pair {
    ui::ControlArray<ui::OptionButton>& pair;
    const char* off;
    const char* on;
    int page;
  };
  const Pair pairs[] = {
      {optAC, "Disabled", "Enabled", kPageControls},
      {optCallout, "Disabled", "Enabled", kPageControls},
      {optNOTMode, "Disabled", "Enabled", kPageControls},
      {optEqualization, "Off", "Next HVD", kPageControls},
      {optLD1T, "Disable", "Enable", kPageStatus},
  };
  for (const Pair& p : pairs) {
    p.pair[0].Caption = p.off;
    p.pair[1].Caption = p.on;
    p.pair[0].SetContainer(&fInstall[p.page]);
    p.pair[1].SetContainer(&fInstall[p.page]);
  }
  for (ui::Control* c : {static_cast<ui::Control*>(&cmdAddress), static_cast<ui::Control*>(&cmdInit),
                         static_cast<ui::Control*>(&cmdChangeInit),
                         static_cast<ui::Control*>(&txtModemInit)})
    c->SetContainer(&fInstall[kPageFactory]);
  for (ui::Control* c : {static_cast<ui::Control*>(&imgAC), static_cast<ui::Control*>(&imgCallout),
                         static_cast<ui::Control*>(&imgNOTMode),
                         static_cast<ui::Control*>(&imgEqualization),
                         static_cast<ui::Control*>(&cmdResetAH)})
    c->SetContainer(&fInstall[kPageControls]);
  for (ui::Control* c :
       {static_cast<ui::Control*>(&cmdClock), static_cast<ui::Control*>(&cmdReset),
        static_cast<ui::Control*>(&cmdRi), static_cast<ui::Control*>(&cmdRj),
        static_cast<ui::Control*>(&cmdEqualize), static_cast<ui::Control*>(&imgLd1T),
        static_cast<ui::Control*>(&cmdRefresh), static_cast<ui::Control*>(&cmdDisconnect)})
    c->SetContainer(&fInstall[kPageStatus]);
}

}  // namespace unit
