// The access levels of the installation screen: what a combination opens,
// what the lock button and LockStatus close again, and what a wrong
// combination leaves alone.
#include <set>

#include "app/frm_debug.h"
#include "common/vb.h"
#include "install_screen_fixture.h"
#include "link/settings_access.h"
#include "unit/access_levels.h"
#include "unit/model_rows.h"

namespace {

using testkit::InstallScreenTest;
using unit::kPageControls;
using unit::kPageFactory;
using unit::kPageInstall;
using unit::kPageStatus;

class AccessLevels : public InstallScreenTest {
 protected:
  std::string Image(int button) { return Main().tbToolBar.Buttons(button).Image(); }
  // Every spinner that takes changes now.
  std::set<int> Open() {
    std::set<int> open;
    for (auto& [address, spinner] : Screen().udProp)
      if (spinner->Enabled()) open.insert(address);
    return open;
  }
  std::string Text(int address) { return Screen().txtProp[address].Text(); }
  void UnlockFactory() {
    GiveCombination("Factory", kPageFactory,
                    {vb::CStr(unit::FactoryNumber(0)), vb::CStr(unit::FactoryNumber(1)),
                     vb::CStr(unit::FactoryNumber(2))});
  }
};

std::set<int> Walked(bool (*walked)(int)) {
  std::set<int> rows;
  for (int a = -5; a <= 400; ++a)
    if (walked(a)) rows.insert(a);
  return rows;
}

TEST(AccessLevelWalks, LockWalksRowZeroToOneAndRow89ThatUnlockingSkips) {
  const std::set<int> unlock = Walked(unit::WalkedByUnlock);
  const std::set<int> lock = Walked(unit::WalkedByLock);
  for (int a : {2, 3, 5, 8, 13, 15, 17, 19, 21, 23, 25, 49, 60, 65, 75, 77, 82, 84, 97, 99, 165,
                169, 171, 185, 187, 195, 196, 220, 221, 225, 274})
    EXPECT_TRUE(unlock.count(a) && lock.count(a)) << a;
  for (int a : {6, 7, 16, 18, 20, 24, 50, 55, 56, 57, 59, 66, 74, 78, 81, 85, 88, 90, 96, 98,
                164, 166, 168, 170, 172, 184, 188, 194, 197, 219, 222, 224, 226, 227, 267, 273, 275})
    EXPECT_FALSE(unlock.count(a) || lock.count(a)) << a;
  EXPECT_FALSE(unlock.count(0) || unlock.count(1));
  EXPECT_TRUE(lock.count(0) && lock.count(1));
  EXPECT_FALSE(unlock.count(89));
  EXPECT_TRUE(lock.count(89));
  // Nothing else differs between the two walks.
  std::set<int> difference;
  for (int a : lock)
    if (!unlock.count(a)) difference.insert(a);
  EXPECT_EQ(difference, (std::set<int>{0, 1, 89}));
  EXPECT_EQ(unlock.size() + 3, lock.size());
}

TEST_F(AccessLevels, ControlsCombinationOpensItsRowsByTagAndByName) {
  EXPECT_EQ(Text(82), "??");
  EXPECT_TRUE(Open().empty());
  UnlockControls();
  EXPECT_FALSE(C().st.ControlsLocked);
  EXPECT_TRUE(C().st.InstallLocked && C().st.FactoryLocked);
  EXPECT_EQ(Open(), (std::set<int>{56, 57, 58, 59, 82, 83, 84, 89}));
  EXPECT_EQ(Text(82), "11");
  EXPECT_EQ(Text(84), "33");
  EXPECT_EQ(Image(4), "StatusU");
  for (auto* b : {&Screen().cmdReset, &Screen().cmdEqualize, &Screen().cmdClock})
    EXPECT_TRUE(b->Enabled()) << b->Name();
  EXPECT_TRUE(Screen().cmdResetAH.Enabled());
  EXPECT_TRUE(Screen().optAC[0].Enabled() && Screen().optEqualization[1].Enabled());
  for (int i = 0; i <= 6; ++i) EXPECT_TRUE(Screen().udDate[i].Enabled());
  EXPECT_TRUE(Screen().optLD1T[1].Enabled() && Screen().optNOTMode[0].Enabled());
  EXPECT_TRUE(Screen().Visible());
  EXPECT_TRUE(Screen().fInstall[kPageStatus].Visible());
  EXPECT_EQ(Screen().cmdLock.Caption(), "Lock");
  EXPECT_FALSE(C().IfLoaded<unit::frmSecurity>());
}

TEST_F(AccessLevels, SetUnitAddressIsOfferedToAV4UnitOnlyWhileTheFactoryLevelIsOpen) {
  C().st.V4Mode = true;
  ShowPage(kPageFactory);
  unit::ShowV4ParameterRows(C());  // a V4 dump read while the page is shown
  EXPECT_FALSE(Screen().cmdAddress.Enabled());
  UnlockFactory();
  EXPECT_TRUE(Screen().Visible() && Screen().cmdAddress.Enabled());
  // The button is the main window's Set Unit Address.
  h.rt.Operator().ExpectInputBox("Please enter the new address for this unit (0-65535):", "");
  Screen().cmdAddress.Press();
}

TEST_F(AccessLevels, InstallCombinationShowsItsNumbersAndLockHidesThemAgain) {
  EXPECT_EQ(Text(75), "??");
  UnlockInstall();
  EXPECT_FALSE(C().st.InstallLocked);
  EXPECT_TRUE(C().st.ControlsLocked);
  EXPECT_EQ(Text(75), "12");
  EXPECT_EQ(Text(77), "56");
  EXPECT_EQ(Image(7), "InstallU");
  EXPECT_TRUE(Enabled(13) && Enabled(27) && Enabled(25) && Enabled(227) && Enabled(274));
  EXPECT_FALSE(Enabled(89));  // a Controls row by name, though tagged "I"
  EXPECT_FALSE(Enabled(8));   // a Factory row
  EXPECT_TRUE(Screen().udAH1.Enabled() && Screen().udAH2.Enabled());
  EXPECT_TRUE(Screen().fInstall[kPageInstall].Visible());

  Screen().cmdLock.Press();
  EXPECT_TRUE(C().st.InstallLocked);
  EXPECT_EQ(Text(75), "??");
  EXPECT_EQ(Image(7), "InstallL");
  EXPECT_FALSE(Screen().udAH1.Enabled() || Screen().udAH2.Enabled());
  EXPECT_FALSE(Enabled(227));  // every row of the level closes with it
  EXPECT_TRUE(Open().empty());
}

TEST_F(AccessLevels, Row89IsLockedByTheInstallLockButOpenedOnlyWithControls) {
  UnlockControls();
  UnlockInstall();
  EXPECT_TRUE(Enabled(89));
  Screen().cmdLock.Press();  // on the Install page
  EXPECT_FALSE(Enabled(89));
  EXPECT_FALSE(C().st.ControlsLocked);  // the Controls level itself stays open
  UnlockInstall();
  EXPECT_FALSE(Enabled(89));
}

TEST_F(AccessLevels, FactoryCombinationIsTheProgramsOwn) {
  UnlockFactory();
  EXPECT_FALSE(C().st.FactoryLocked);
  EXPECT_EQ(Image(8), "FactoryU");
  EXPECT_TRUE(Screen().cmdChangeInit.Enabled() && Screen().cmdInit.Enabled());
  EXPECT_FALSE(Screen().cmdAddress.Enabled());  // a text unit takes no new address
  EXPECT_TRUE(Enabled(8) && Enabled(2) && Enabled(195));
  EXPECT_FALSE(Enabled(0) || Enabled(1));  // serial number parts 1 and 2 stay as made
  ShowPage(kPageFactory);
  Screen().cmdLock.Press();
  EXPECT_TRUE(C().st.FactoryLocked);
  EXPECT_EQ(Image(8), "FactoryL");
  EXPECT_FALSE(Screen().cmdChangeInit.Enabled() || Screen().cmdInit.Enabled() ||
               Screen().cmdAddress.Enabled());
  EXPECT_TRUE(Open().empty());
}

TEST_F(AccessLevels, FieldsCompareByValue) {
  // 7 and 07 are equal; a field that is no number counts as 0.
  values[82] = 7, values[83] = 0, values[84] = 0;
  ASSERT_EQ(testkit::LoadTextDump(C(), testkit::PlainDump(values)), "");
  GiveCombination("Status", kPageStatus, {"07", "x", ""});
  EXPECT_FALSE(C().st.ControlsLocked);
}

TEST_F(AccessLevels, DesignTextOpensAUnitWhoseCombinationIsAllZero) {
  values[82] = values[83] = values[84] = 0;
  ASSERT_EQ(testkit::LoadTextDump(C(), testkit::PlainDump(values)), "");
  h.rt.Operator().OnModal("frmSecurity", [](ui::Form& f) {
    static_cast<unit::frmSecurity&>(f).cmdOK.Press();
  });
  C().st.CurrentKey = "Status";
  C().st.InstallPage = kPageStatus;
  C().Get<unit::frmSecurity>().Show(true, &Main());
  EXPECT_FALSE(C().st.ControlsLocked);
}

TEST_F(AccessLevels, WrongCombinationsLeaveEveryLockAsItWas) {
  UnlockInstall();
  const std::set<int> open = Open();
  for (const char* key : {"Status", "Install", "Factory", "Controls"}) {
    h.rt.Operator().ExpectMsgBox("Invalid Password ", ui::vbOK, "Password Error");
    GiveCombination(key, std::string(key) == "Factory" ? kPageFactory : kPageInstall,
                    {"98", "97", "96"});
  }
  EXPECT_TRUE(C().st.ControlsLocked);
  EXPECT_FALSE(C().st.InstallLocked);
  EXPECT_TRUE(C().st.FactoryLocked);
  EXPECT_EQ(Open(), open);
  EXPECT_EQ(Text(82), "??");
  EXPECT_EQ(Text(75), "12");
}

TEST_F(AccessLevels, WrongCombinationKeepsTheDialogOpenWithTheFieldsAsTyped) {
  C().st.CurrentKey = "Install";
  C().st.InstallPage = kPageInstall;
  h.rt.Operator().ExpectMsgBox("Invalid Password ", ui::vbOK, "Password Error");
  bool stayed = false;
  std::string kept;
  h.rt.Operator().OnModal("frmSecurity", [&](ui::Form& f) {
    auto& dialog = static_cast<unit::frmSecurity&>(f);
    dialog.txtComb[1].Text = "35";
    dialog.cmdOK.Press();
    stayed = dialog.Visible();
    kept = dialog.txtComb[1].Text();
    dialog.cmdCancel.Press();
  });
  C().Get<unit::frmSecurity>().Show(true, &Main());
  EXPECT_TRUE(stayed);
  EXPECT_EQ(kept, "35");
  EXPECT_TRUE(C().st.InstallLocked);
}

TEST_F(AccessLevels, TheControlsPageKeyIsCheckedLikeStatus) {
  // Parameters 0 to 2 (the serial number) do not open it ...
  h.rt.Operator().ExpectMsgBox("Invalid Password ", ui::vbOK, "Password Error");
  GiveCombination("Controls", kPageControls, {"12", "34", "56"});
  EXPECT_TRUE(C().st.ControlsLocked);
  EXPECT_EQ(Screen().cmdLock.Caption(), "Unlock");  // cancelled: still locked
  // ... the unit's Controls combination does, with its rows.
  GiveCombination("Controls", kPageControls, {"11", "22", "33"});
  EXPECT_FALSE(C().st.ControlsLocked);
  EXPECT_TRUE(Enabled(82) && Enabled(57));
  EXPECT_TRUE(Screen().fInstall[kPageControls].Visible());
  EXPECT_EQ(Image(4), "StatusU");
}

TEST_F(AccessLevels, DemonstrationModeMakesOkActLikeCancel) {
  lnk::Setting(C(), "chkDemo").SettingValue = 1;
  GiveCombination("Status", kPageStatus, {"11", "22", "33"});
  EXPECT_TRUE(C().st.ControlsLocked);
  EXPECT_FALSE(Enabled(82));
  EXPECT_EQ(Screen().cmdLock.Caption(), "Unlock");
  EXPECT_TRUE(Screen().cmdLock.Visible());
  EXPECT_TRUE(Screen().fInstall[kPageStatus].Visible());
  GiveCombination("Install", kPageInstall, {"12", "34", "56"});
  EXPECT_TRUE(C().st.InstallLocked);
  EXPECT_EQ(Screen().cmdLock.Caption(), "Lock");
}

TEST_F(AccessLevels, OnlyThePageAskedForIsShownAfterwards) {
  ShowPage(kPageFactory);
  UnlockInstall();
  for (int page = 0; page <= 4; ++page)
    EXPECT_EQ(Screen().fInstall[page].Visible(), page == kPageInstall) << page;
  h.rt.Operator().ExpectMsgBox("Invalid Password ", ui::vbOK, "Password Error");
  GiveCombination("Factory", kPageFactory, {"1", "2", "3"});  // wrong, then cancelled
  for (int page = 0; page <= 4; ++page)
    EXPECT_EQ(Screen().fInstall[page].Visible(), page == kPageFactory) << page;
}

TEST_F(AccessLevels, TerminalCombinationOpensTheTerminalAndAWrongOneClosesSilently) {
  GiveCombination("Terminal", kPageStatus, {"1", "2", "3"});
  EXPECT_FALSE(C().IfLoaded<app::frmDebug>());
  EXPECT_FALSE(C().st.DebugEcho);
  EXPECT_FALSE(C().IfLoaded<unit::frmSecurity>());
  const auto& t = unit::kTerminalCombination;
  GiveCombination("Terminal", kPageStatus, {vb::CStr(t[0]), vb::CStr(t[1]), vb::CStr(t[2])});
  ASSERT_NE(C().IfLoaded<app::frmDebug>(), nullptr);
  EXPECT_TRUE(C().IfLoaded<app::frmDebug>()->Visible());
  EXPECT_TRUE(C().st.DebugEcho);
  EXPECT_TRUE(C().st.ControlsLocked && C().st.InstallLocked && C().st.FactoryLocked);
  EXPECT_TRUE(Open().empty());
}

TEST_F(AccessLevels, StatusLockButtonTogglesBetweenLockingAndAskingAgain) {
  UnlockControls();
  ASSERT_EQ(Screen().cmdLock.Caption(), "Lock");
  Screen().cmdLock.Press();
  EXPECT_EQ(Screen().cmdLock.Caption(), "Unlock");
  EXPECT_TRUE(C().st.ControlsLocked);
  EXPECT_EQ(Image(4), "StatusL");
  EXPECT_TRUE(Open().empty());
  EXPECT_EQ(Text(83), "??");

  bool asked = false;
  h.rt.Operator().OnModal("frmSecurity", [&](ui::Form& f) {
    asked = true;
    auto& dialog = static_cast<unit::frmSecurity&>(f);
    dialog.txtComb[0].Text = "11";
    dialog.txtComb[1].Text = "22";
    dialog.txtComb[2].Text = "33";
    dialog.cmdOK.Press();
  });
  Screen().cmdLock.Press();  // "Unlock": the combination is asked for again
  EXPECT_TRUE(asked);
  EXPECT_FALSE(C().st.ControlsLocked);
  EXPECT_EQ(Screen().cmdLock.Caption(), "Lock");
}

TEST_F(AccessLevels, LockStatusClosesTheControlsLevelAndItsResetButton) {
  UnlockControls();
  Screen().udDate[3].PressUp();
  ASSERT_TRUE(Screen().cmdSendDate[3].Visible());
  Screen().LockStatus();
  EXPECT_TRUE(C().st.ControlsLocked);
  EXPECT_EQ(Image(4), "StatusL");
  EXPECT_FALSE(Screen().cmdResetAH.Enabled());
  for (auto* b : {&Screen().cmdReset, &Screen().cmdEqualize, &Screen().cmdClock})
    EXPECT_FALSE(b->Enabled()) << b->Name();
  for (auto* pair : {&Screen().optLD1T, &Screen().optNOTMode, &Screen().optAC,
                     &Screen().optCallout, &Screen().optEqualization})
    EXPECT_FALSE((*pair)[0].Enabled() || (*pair)[1].Enabled());
  for (int i = 0; i <= 6; ++i) EXPECT_FALSE(Screen().udDate[i].Enabled());
  EXPECT_FALSE(Screen().cmdSendDate[3].Visible());  // no send from a locked field
  EXPECT_EQ(Text(84), "??");
  // The combination rows close too: nobody may rewrite it unasked.
  EXPECT_TRUE(Open().empty());

  UnlockControls();  // the level's combination opens it again
  EXPECT_TRUE(Screen().cmdResetAH.Enabled());
}

TEST_F(AccessLevels, LockButtonActsOnThePageShownWhateverTheLastToolbarKey) {
  UnlockInstall();
  C().st.CurrentKey = "Site";  // the Site button was clicked since
  Screen().cmdLock.Press();
  EXPECT_TRUE(C().st.InstallLocked);
  EXPECT_TRUE(Open().empty());
}

TEST_F(AccessLevels, LockingARowWithdrawsItsSendButton) {
  UnlockInstall();
  Screen().udProp[13].PressUp();
  ASSERT_TRUE(Screen().cmdProp[13].Visible());
  Screen().cmdLock.Press();
  EXPECT_FALSE(Screen().cmdProp[13].Visible());
}

TEST_F(AccessLevels, FactoryCommandsWaitForTheFactoryCombination) {
  auto& s = Screen();
  EXPECT_FALSE(s.cmdChangeInit.Enabled() || s.cmdInit.Enabled());
  // Cancelling shows the page, still locked: nothing on it writes.
  h.rt.Operator().ExpectMsgBox("Invalid Password ", ui::vbOK, "Password Error");
  GiveCombination("Factory", kPageFactory, {"", "", ""});
  EXPECT_TRUE(s.fInstall[kPageFactory].Visible());
  EXPECT_FALSE(s.cmdChangeInit.Enabled() || s.cmdInit.Enabled());
}

TEST_F(AccessLevels, ValueBoxesShowWhichRowsTakeChanges) {
  const ui::Color white = ui::kSystemWindow;
  auto back = [this](int a) { return Screen().txtProp[a].BackColor(); };
  EXPECT_NE(back(13), white);
  EXPECT_NE(back(82), white);
  UnlockInstall();
  EXPECT_EQ(back(13), white);
  EXPECT_EQ(back(25), white);   // typed, its spinners beside it
  EXPECT_NE(back(82), white);   // another level
  EXPECT_NE(back(3), white);    // a Factory row, never changed by hand
  EXPECT_EQ(back(97), white);   // display only, like the Memory page
  // A hang-up relocks while the screen is hidden; it shows so when shown.
  Screen().Hide();
  Screen().udProp[13].Enabled = false;
  Screen().Show();
  EXPECT_NE(back(13), white);
}

TEST_F(AccessLevels, ALockedLevelOffersNothingBeforeItsCombination) {
  // As the screen first shows after a dump, all three levels locked.
  auto& s = Screen();
  ShowPage(kPageStatus);
  for (int i = 0; i <= 6; ++i) EXPECT_FALSE(s.udDate[i].Enabled()) << i;
  for (auto* pair : {&s.optLD1T, &s.optNOTMode, &s.optAC, &s.optCallout, &s.optEqualization})
    EXPECT_FALSE((*pair)[0].Enabled() || (*pair)[1].Enabled()) << (*pair)[0].Name();
  for (auto* b : {&s.cmdReset, &s.cmdEqualize, &s.cmdClock, &s.cmdResetAH, &s.cmdChangeInit,
                  &s.cmdInit, &s.cmdAddress})
    EXPECT_FALSE(b->Enabled()) << b->Name();
  EXPECT_TRUE(Open().empty());
}

TEST_F(AccessLevels, AHangUpWhileHiddenLeavesEveryLockedLevelClosedWhenShownAgain) {
  UnlockControls();
  UnlockInstall();
  UnlockFactory();
  // The hang-up sets the flags and hides the screen, not always through
  // the screen's own locking.
  Screen().Hide();
  C().st.ControlsLocked = C().st.InstallLocked = C().st.FactoryLocked = true;
  ShowPage(kPageInstall);
  EXPECT_TRUE(Open().empty());
  EXPECT_EQ(Text(75), "??");
  EXPECT_EQ(Text(82), "??");
  EXPECT_FALSE(Screen().udAH1.Enabled() || Screen().cmdChangeInit.Enabled() ||
               Screen().optAC[1].Enabled() || Screen().udDate[0].Enabled());
}

TEST_F(AccessLevels, ReopeningTheScreenKeepsOpenLevelsOpen) {
  UnlockControls();
  const std::set<int> open = Open();
  Screen().Hide();
  ShowPage(kPageStatus);
  EXPECT_EQ(Open(), open);
  EXPECT_TRUE(Enabled(89));
}

TEST_F(AccessLevels, DialogFieldsKeepTwoDigits) {
  auto& dialog = C().Get<unit::frmSecurity>();
  dialog.udComb[0].PressDown();  // wraps nowhere: stays at 0
  EXPECT_EQ(dialog.txtComb[0].Text(), "00");
  dialog.udComb[2].PressUp();
  EXPECT_EQ(dialog.txtComb[2].Text(), "01");
  dialog.txtComb[1].Text = "7";
  dialog.txtComb[1].LostFocus();
  EXPECT_EQ(dialog.txtComb[1].Text(), "07");
  dialog.txtComb[1].GotFocus();
  EXPECT_EQ(dialog.txtComb[1].SelLength, 2);  // typing replaces the field
  C().Unload<unit::frmSecurity>();
}

}  // namespace
