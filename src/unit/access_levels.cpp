#include "unit/access_levels.h"

#include "app/console.h"
#include "app/frm_main.h"
#include "common/shared_state.h"
#include "common/vb.h"
#include "unit/frm_install.h"
#include "unit/frm_security.h"

namespace unit {

namespace {

// Toolbar buttons that show a level's state.
constexpr int kStatusButton = 4;
constexpr int kInstallButton = 7;
constexpr int kFactoryButton = 8;

constexpr int kBattMaintVoff = 227;
constexpr int kTimeCorrection = 89;
constexpr int kLoadTimingFirst = 56;  // 56..59: on and off, hour and minute
constexpr int kLoadTimingLast = 59;

// The value box of a row that takes no change: a light grey.
constexpr ui::Color kLockedBox = ui::RGB(224, 224, 224);

bool In(int a, int lo, int hi) { return a >= lo && a <= hi; }

// Rows neither walk looks at: rows without an access tag, rows of a pair
// whose partner carries the tag, and the rows handled by name.
bool SkippedByBothWalks(int a) {
  return In(a, 6, 7) || a == 16 || a == 18 || a == 20 || a == 24 || In(a, 50, 59) ||
         In(a, 66, 74) || In(a, 78, 81) || (In(a, 98, 164) && a % 2 == 0) || In(a, 166, 168) ||
         a == 170 || In(a, 172, 184) || In(a, 188, 194) || In(a, 197, 219) || In(a, 222, 224) ||
         In(a, 226, 273);
}

// The row's access letter, 0 for a row without a tag.
char TagLetter(frmInstall& f, int address) {
  const ui::TextBox* box = f.txtProp.Find(address);
  if (box == nullptr || box->Tag().empty()) return 0;
  return box->Tag()[0];
}

void SetSpinner(frmInstall& f, int address, bool unlocked) {
  if (ui::UpDown* spinner = f.udProp.Find(address)) spinner->Enabled = unlocked;
}

// A locked row takes no change and offers no send.
void LockRow(frmInstall& f, int address) {
  SetSpinner(f, address, false);
  if (ui::CommandButton* send = f.cmdProp.Find(address)) send->Visible = false;
}

void SetTaggedRows(frmInstall& f, char letter, bool (*walked)(int), bool unlocked) {
  if (letter == 0) return;
  for (int a = kFirstRowWalked; a <= kLastRowWalked; ++a) {
    if (!walked(a) || TagLetter(f, a) != letter) continue;
    if (unlocked)
      SetSpinner(f, a, true);
    else
      LockRow(f, a);
  }
}

void ShowCombination(frmInstall& f, int first) {
  for (int a = first; a < first + 3; ++a) f.txtProp[a].Text = vb::CStr(f.udProp[a].Value());
}

void HideCombination(frmInstall& f, int first) {
  for (int a = first; a < first + 3; ++a) f.txtProp[a].Text = "??";
}

void SetToolbarImage(app::Console& c, int button, const char* image) {
  c.Get<app::frmMain>().tbToolBar.Buttons(button).Image = image;
}

// The option pairs of the Controls page and the load timer's pair of the
// Status page: switches of the Controls level.
void SetControlsOptions(frmInstall& f, bool enabled) {
  for (auto* pair : {&f.optLD1T, &f.optNOTMode, &f.optAC, &f.optCallout, &f.optEqualization})
    for (int i = 0; i <= 1; ++i) (*pair)[i].Enabled = enabled;
}

// What the Controls level closes: its switches, its commands, its rows by
// name and by tag, and the clock fields.
void LockControlsLevel(frmInstall& f) {
  SetControlsOptions(f, false);
  f.cmdReset.Enabled = false;
  f.cmdEqualize.Enabled = false;
  f.cmdClock.Enabled = false;
  for (int a = kLoadTimingFirst; a <= kLoadTimingLast; ++a) LockRow(f, a);
  // The level's own combination rows too, or a hang-up would leave the
  // Controls combination open to change.
  SetTaggedRows(f, RowLetterOf(AccessLevel::Controls), WalkedByLock, /*unlocked=*/false);
  HideCombination(f, kControlsCombinationAddress);
  f.cmdResetAH.Enabled = false;
  LockRow(f, kTimeCorrection);
  for (auto& [index, spinner] : f.udDate) spinner->Enabled = false;
  for (auto& [index, send] : f.cmdSendDate) send->Visible = false;
}

void LockInstallLevel(frmInstall& f, bool (*walked)(int)) {
  SetTaggedRows(f, RowLetterOf(AccessLevel::Install), walked, /*unlocked=*/false);
  HideCombination(f, kInstallCombinationAddress);
  f.udAH1.Enabled = false;
  f.udAH2.Enabled = false;
  LockRow(f, kBattMaintVoff);  // opened with the level by name
}

void LockFactoryLevel(frmInstall& f, bool (*walked)(int)) {
  SetTaggedRows(f, RowLetterOf(AccessLevel::Factory), walked, /*unlocked=*/false);
  f.cmdChangeInit.Enabled = false;
  f.cmdInit.Enabled = false;
  f.cmdAddress.Enabled = false;
}

}  // namespace

void ShowLevelsAsFlagged(frmInstall& f, const common::SharedState& st) {
  // The rows a level's combination opens, so that row 89 (opened with the
  // Controls level) stays open while only Install is locked.
  if (st.ControlsLocked) LockControlsLevel(f);
  if (st.InstallLocked) LockInstallLevel(f, WalkedByUnlock);
  if (st.FactoryLocked) LockFactoryLevel(f, WalkedByUnlock);
  ShowRowLocks(f);
}

void ShowRowLocks(frmInstall& f) {
  for (auto& [address, box] : f.txtProp) {
    if (box->Tag().empty()) continue;  // display only: a plain value box
    const ui::UpDown* spinner = f.udProp.Find(address);
    const bool editable =
        spinner != nullptr && spinner->Enabled() && (spinner->Visible() || !box->Locked());
    box->BackColor = editable ? ui::kSystemWindow : kLockedBox;
  }
}

AccessLevel LevelOfKey(std::string_view key) {
  // The Controls page asks with its own key for the same level as Status.
  if (key == "Status" || key == "Controls") return AccessLevel::Controls;
  if (key == "Install") return AccessLevel::Install;
  if (key == "Factory") return AccessLevel::Factory;
  if (key == "Terminal") return AccessLevel::Terminal;
  return AccessLevel::None;
}

char RowLetterOf(AccessLevel level) {
  switch (level) {
    case AccessLevel::Controls: return 'S';
    case AccessLevel::Install: return 'I';
    case AccessLevel::Factory: return 'F';
    case AccessLevel::Terminal:
    case AccessLevel::None: break;
  }
  return 0;
}

std::string_view KeyOfPage(int page) {
  switch (page) {
    case kPageFactory: return "Factory";
    case kPageInstall: return "Install";
    case kPageControls: return "Controls";
    case kPageStatus: return "Status";
    default: return "";
  }
}

bool WalkedByUnlock(int a) {
  return In(a, 2, kLastRowWalked) && !SkippedByBothWalks(a) && !In(a, 85, 96);
}

bool WalkedByLock(int a) {
  return In(a, kFirstRowWalked, kLastRowWalked) && !SkippedByBothWalks(a) && !In(a, 85, 88) &&
         !In(a, 90, 96);
}

int FactoryNumber(int position) { return (37 * (position + 1) + 19) % 100; }

bool ExpectedCombination(app::Console& c, AccessLevel level, std::array<int, 3>& numbers) {
  const auto unit_held = [&c, &numbers](int first) {
    frmInstall& f = c.Get<frmInstall>();
    for (int i = 0; i < 3; ++i) numbers[static_cast<std::size_t>(i)] = f.udProp[first + i].Value();
  };
  switch (level) {
    case AccessLevel::Controls: unit_held(kControlsCombinationAddress); return true;
    case AccessLevel::Install: unit_held(kInstallCombinationAddress); return true;
    case AccessLevel::Factory:
      for (int i = 0; i < 3; ++i) numbers[static_cast<std::size_t>(i)] = FactoryNumber(i);
      return true;
    case AccessLevel::Terminal: numbers = kTerminalCombination; return true;
    case AccessLevel::None: break;
  }
  return false;
}

void UnlockLevel(app::Console& c, AccessLevel level) {
  auto& st = c.st;
  frmInstall& f = c.Get<frmInstall>();
  SetTaggedRows(f, RowLetterOf(level), WalkedByUnlock, /*unlocked=*/true);
  switch (level) {
    case AccessLevel::Controls:
      st.ControlsLocked = false;
      SetToolbarImage(c, kStatusButton, "StatusU");
      SetControlsOptions(f, true);
      f.cmdLock.Visible = true;
      ShowCombination(f, kControlsCombinationAddress);
      f.cmdReset.Enabled = true;
      f.cmdEqualize.Enabled = true;
      f.cmdClock.Enabled = true;
      f.cmdResetAH.Enabled = true;
      for (int a = kLoadTimingFirst; a <= kLoadTimingLast; ++a) SetSpinner(f, a, true);
      SetSpinner(f, kTimeCorrection, true);
      for (auto& [index, spinner] : f.udDate) spinner->Enabled = true;
      break;
    case AccessLevel::Install:
      st.InstallLocked = false;
      SetToolbarImage(c, kInstallButton, "InstallU");
      f.cmdLock.Visible = true;
      ShowCombination(f, kInstallCombinationAddress);
      f.udAH1.Enabled = true;
      f.udAH2.Enabled = true;
      SetSpinner(f, kBattMaintVoff, true);
      break;
    case AccessLevel::Factory:
      st.FactoryLocked = false;
      SetToolbarImage(c, kFactoryButton, "FactoryU");
      f.cmdChangeInit.Enabled = true;
      f.cmdInit.Enabled = true;
      f.cmdAddress.Enabled = st.V4Mode;  // a text unit takes no new address
      f.cmdLock.Visible = true;
      break;
    case AccessLevel::Terminal:
    case AccessLevel::None: break;
  }
  ShowRowLocks(f);
}

void ShowRequestedPage(app::Console& c, std::string_view lock_caption) {
  frmInstall& f = c.Get<frmInstall>();
  // One page at a time: a page left shown by an earlier choice would lie
  // under the new one.
  for (auto& [index, page] : f.fInstall) page->Visible = false;
  ui::Frame& page = f.fInstall[c.st.InstallPage];
  page.Top = 0;
  page.Visible = true;
  c.Unload<frmSecurity>();
  f.cmdLock.Caption = std::string(lock_caption);
  f.Show();
}

// ---- the installation screen's side ---------------------------------------

void frmInstall::cmdLock_Click() {
  auto& st = c_.st;
  // The level of the page shown: the last toolbar key may since have been
  // another button's (Site, Map, the terminal ...).
  const std::string_view key = KeyOfPage(st.InstallPage);
  const AccessLevel level = LevelOfKey(key);
  switch (level) {
    case AccessLevel::Factory:
      LockFactoryLevel(*this, WalkedByLock);
      st.FactoryLocked = true;
      SetToolbarImage(c_, kFactoryButton, "FactoryL");
      break;
    case AccessLevel::Install:
      LockInstallLevel(*this, WalkedByLock);
      st.InstallLocked = true;
      SetToolbarImage(c_, kInstallButton, "InstallL");
      break;
    case AccessLevel::Controls:
      SetTaggedRows(*this, RowLetterOf(level), WalkedByLock, /*unlocked=*/false);
      if (cmdLock.Caption() == "Lock") {
        cmdLock.Caption = "Unlock";
        LockStatus();
      } else {
        cmdLock.Caption = "Lock";
        auto& main = c_.Get<app::frmMain>();
        if (key == "Status") {
          main.ShowStatus(true, false);
        } else {
          st.CurrentKey = std::string(key);
          c_.Get<frmSecurity>().Show(true, &main);
        }
      }
      break;
    case AccessLevel::Terminal:
    case AccessLevel::None: break;
  }
  ShowRowLocks(*this);
}

void frmInstall::LockStatus() {
  c_.st.ControlsLocked = true;
  SetToolbarImage(c_, kStatusButton, "StatusL");
  LockControlsLevel(*this);
  ShowRowLocks(*this);
}

}  // namespace unit
