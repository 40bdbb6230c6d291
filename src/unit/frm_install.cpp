#include "unit/frm_install.h"

#include <initializer_list>
#include <utility>

#include "app/console.h"
#include "link/command_gate.h"
#include "link/settings_access.h"
#include "unit/access_levels.h"

namespace unit {

namespace {

// The pages fill the window above its own row of buttons.
constexpr int kPageWidth = 9480;
constexpr int kPageHeight = 7560;
constexpr int kButtonHeight = 375;
constexpr int kWindowButtonsTop = kPageHeight + 60;
constexpr int kWindowWidth = 9600;
constexpr int kWindowHeight = 8600;  // outer size: title bar and borders included

void Place(ui::Control& c, ui::Control* container, int left, int top, int width, int height) {
  c.SetContainer(container);
  c.Move(left, top, width, height);
}

}  // namespace

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
  BindCommands();
  BindParameterWrites();
}

// The buttons that start a unit command go through the link's gate.
void frmInstall::BindCommands() {
  using Handler = void (frmInstall::*)();
  const std::pair<ui::CommandButton*, Handler> gated[] = {
      {&cmdClock, &frmInstall::cmdClock_Click},
      {&cmdEqualize, &frmInstall::cmdEqualize_Click},
      {&cmdReset, &frmInstall::cmdReset_Click},
      {&cmdResetAH, &frmInstall::cmdResetAH_Click},
      {&cmdRi, &frmInstall::cmdRi_Click},
      {&cmdRj, &frmInstall::cmdRj_Click},
      {&cmdChangeInit, &frmInstall::cmdChangeInit_Click},
      {&cmdRefresh, &frmInstall::cmdRefresh_Click},
      {&cmdRefresh2, &frmInstall::cmdRefresh2_Click},
      {&cmdUpdate, &frmInstall::cmdUpdate_Click},
      {&cmdAddress, &frmInstall::cmdAddress_Click},
      {&cmdInit, &frmInstall::cmdInit_Click},
  };
  for (const auto& [button, handler] : gated)
    button->Click = lnk::Gated(c_, [this, h = handler] { (this->*h)(); });
  cmdDisconnect.Click = [this] { cmdDisconnect_Click(); };
  cmdSavePos.Click = [this] { cmdSavePos_Click(); };
  cmdClose.Click = [this] { cmdClose_Click(); };
  cmdLock.Click = [this] { cmdLock_Click(); };
  cmdPrint.Click = [this] { cmdPrint_Click(); };
  for (int i = 0; i <= 1; ++i) {
    optAC[i].Click = [this, i] { optAC_Click(i); };
    optCallout[i].Click = [this, i] { optCallout_Click(i); };
    optNOTMode[i].Click = [this, i] { optNOTMode_Click(i); };
    optEqualization[i].Click = [this, i] { optEqualization_Click(i); };
    // The LD1T pair acts when the operator lets go of the mouse, so that
    // showing a loaded value (which selects an option) sends nothing.
    optLD1T[i].MouseUp = [this, i](int button, int shift, double x, double y) {
      optLD1T_MouseUp(i, button, shift, x, y);
    };
  }
  for (auto& [index, spinner] : udDate) {
    const int i = index;
    spinner->UpClick = [this, i] { udDate_UpClick(i); };
    spinner->DownClick = [this, i] { udDate_DownClick(i); };
  }
  for (auto& [index, button] : cmdSendDate) {
    const int i = index;
    button->Click = lnk::Gated(c_, [this, i] { cmdSendDate_Click(i); });
  }
}

void frmInstall::Design() {
  Caption = "Status";
  Move(0, 0, kWindowWidth, kWindowHeight);
  fraPages.Move(0, 0, kPageWidth, kPageHeight);
  for (auto& [index, page] : fInstall) {
    page->Move(0, 0, kPageWidth, kPageHeight);
    page->Caption = "";
    page->Visible = index == kPageFactory;
  }
  DesignCommands();
  DesignParameterRows(c_);
  PlaceCommands();
  ShowLevelsAsFlagged(*this, c_.st);  // every level starts locked
}

// The stored position is used: "Save Window Position" would otherwise keep
// a place the window never takes.
void frmInstall::Form_Load() {
  Left = static_cast<int>(lnk::SettingValue(c_, "frmInstall.Left"));
  Top = static_cast<int>(lnk::SettingValue(c_, "frmInstall.Top"));
  fInstall[kPageFactory].Top = 0;
}

void frmInstall::Form_Activate() { ShowLevelsAsFlagged(*this, c_.st); }

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
      // The Factory level's commands wait for its combination, as after a
      // hang-up: every level starts locked.
      {cmdChangeInit, "Change", false},
      {cmdRefresh, "&Refresh all controller data", true},
      {cmdRefresh2, "Refresh", true},
      {cmdAddress, "Set Unit Address", false},
      {cmdInit, "Factory Initialize", false},
      {cmdDisconnect, "Disconnect", true},
      {cmdSavePos, "&Save Window Position", true},
      {cmdClose, "&Close", true},
      {cmdLock, "Lock", true},
      {cmdPrint, "Print", true},
  };
  for (const Button& b : buttons) {
    b.button.Caption = b.caption;
    b.button.Enabled = b.enabled;
  }
  // Only units with battery-safe maintenance have these resets; loading such
  // a unit shows them.
  cmdRi.Visible = false;
  cmdRj.Visible = false;
  txtModemInit.Text = "AT&FE0X0V0S0=2";

  struct Pair {
    ui::ControlArray<ui::OptionButton>& pair;
    ui::Frame& frame;
    ui::Image& lamp;
    const char* name;
    const char* off;
    const char* on;
  };
  const Pair pairs[] = {
      {optAC, fraAC, imgAC, "AC", "Disabled", "Enabled"},
      {optCallout, fraCallout, imgCallout, "Callout", "Disabled", "Enabled"},
      {optNOTMode, fraNOTMode, imgNOTMode, "NOT Mode", "Disabled", "Enabled"},
      {optEqualization, fraEqualization, imgEqualization, "Equalization", "Off", "Next HVD"},
      {optLD1T, fraLD1T, imgLd1T, "", "Disable", "Enable"},
  };
  for (const Pair& p : pairs) {
    p.frame.Caption = p.name;
    p.pair[0].Caption = p.off;
    p.pair[1].Caption = p.on;
    p.pair[0].Value = false;
    p.pair[1].Value = false;
    p.lamp.Picture = imgGreenOff.Picture();
    p.lamp.Stretch = true;
  }
  fraLD1T.BorderStyle = 0;  // it sits inline on its parameter row
}

void frmInstall::PlaceCommands() {
  ui::Frame& factory = fInstall[kPageFactory];
  ui::Frame& controls = fInstall[kPageControls];
  ui::Frame& status = fInstall[kPageStatus];

  // Factory page, third column under the modem init caption.
  Place(txtModemInit, &factory, 7100, 420, 2260, 285);
  Place(cmdChangeInit, &factory, 7100, 780, 1000, kButtonHeight);
  Place(cmdAddress, &factory, 7100, 1380, 2260, kButtonHeight);
  Place(cmdInit, &factory, 7100, 1830, 2260, kButtonHeight);

  // Controls page: the four option pairs, two by two, then the reset.
  const struct {
    ui::Frame& frame;
    ui::ControlArray<ui::OptionButton>& pair;
    ui::Image& lamp;
    int left;
    int top;
  } groups[] = {
      {fraAC, optAC, imgAC, 120, 120},
      {fraCallout, optCallout, imgCallout, 4800, 120},
      {fraNOTMode, optNOTMode, imgNOTMode, 120, 1140},
      {fraEqualization, optEqualization, imgEqualization, 4800, 1140},
  };
  for (const auto& g : groups) {
    Place(g.frame, &controls, g.left, g.top, 4560, 900);
    Place(g.lamp, &g.frame, 240, 420, 240, 240);
    Place(g.pair[0], &g.frame, 660, 390, 1800, 300);
    Place(g.pair[1], &g.frame, 2580, 390, 1800, 300);
  }
  Place(cmdResetAH, &controls, 120, 2280, 1800, 420);

  // Status page: the clock button beside the unit's date and time, the load
  // timer's pair on its parameter row, the other commands under the rows.
  Place(cmdClock, &status, 5400, 1065, 2400, kButtonHeight);
  // The lamp stands just before the value column so both captions fit
  // ahead of the next column.
  Place(fraLD1T, &status, 3420, 4425, 2140, 300);
  Place(imgLd1T, &fraLD1T, 0, 30, 240, 240);
  Place(optLD1T[0], &fraLD1T, 280, 0, 900, 300);
  Place(optLD1T[1], &fraLD1T, 1220, 0, 880, 300);
  Place(cmdDisconnect, &status, 120, 4980, 1500, kButtonHeight);
  const int row_a = 6600;
  const int row_b = row_a + kButtonHeight + 60;
  Place(cmdReset, &status, 120, row_a, 1800, kButtonHeight);
  Place(cmdEqualize, &status, 2040, row_a, 1800, kButtonHeight);
  Place(cmdRi, &status, 3960, row_a, 1920, kButtonHeight);
  Place(cmdRj, &status, 6000, row_a, 1560, kButtonHeight);
  Place(cmdRefresh, &status, 120, row_b, 3000, kButtonHeight);

  // The window's own buttons, under the pages.
  Place(cmdLock, nullptr, 120, kWindowButtonsTop, 1200, kButtonHeight);
  Place(cmdRefresh2, nullptr, 1440, kWindowButtonsTop, 1200, kButtonHeight);
  Place(cmdPrint, nullptr, 2760, kWindowButtonsTop, 1200, kButtonHeight);
  Place(cmdSavePos, nullptr, 5880, kWindowButtonsTop, 2160, kButtonHeight);
  Place(cmdClose, nullptr, 8160, kWindowButtonsTop, 1200, kButtonHeight);
}

bool frmInstall::LampOn(const ui::Image& lamp) const {
  return lamp.Picture() == imgGreenOn.Picture();
}

void frmInstall::SetLamp(ui::Image& lamp, bool on) {
  lamp.Picture = on ? imgGreenOn.Picture() : imgGreenOff.Picture();
}

}  // namespace unit
