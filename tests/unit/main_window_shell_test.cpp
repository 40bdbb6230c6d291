// The main window itself: fitting the map to the frame, the Exit question,
// the site and settings guards, removing a site, the datalog reset, the
// auto-answer switch, the site windows the menu and the frame open, and
// entries whose windows are not there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frm_connection.h"
#include "app/frm_main.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/settings_access.h"
#include "simulated_site.h"
#include "site_rows.h"
#include "sites/frm_map.h"

namespace {

class MainWindowShell : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  sites::frmMap& Map() { return h.console.Get<sites::frmMap>(); }
  testkit::ScriptedOperator& Op() { return h.rt.Operator(); }

  testkit::ConsoleHarness h;
};

// ---- the map in the frame ---------------------------------------------------------

TEST_F(MainWindowShell, TheMapFillsTheFrameAndASmallFrameStillMovesItHome) {
  Map().Move(500, 400, 3000, 2000);
  Main().Move(0, 0, 9000, 8000);
  EXPECT_EQ(Map().Width(), 8790);
  EXPECT_EQ(Map().Height(), 5815);
  EXPECT_EQ(Map().Left(), 0);
  EXPECT_EQ(Map().Top(), 0);

  Map().Move(500, 400, 3000, 2000);
  Main().Move(0, 0, 120, 1920);
  EXPECT_EQ(Map().Width(), 3000);
  EXPECT_EQ(Map().Height(), 2000);
  EXPECT_EQ(Map().Left(), 0);
  EXPECT_EQ(Map().Top(), 0);
}

TEST_F(MainWindowShell, AMinimisedOrMaximisedMapOrAnUnrestoredFrameIsLeftAlone) {
  Map().Move(500, 400, 3000, 2000);
  for (int state : {ui::vbMinimized, ui::vbMaximized}) {
    Map().WindowState = state;
    Main().Width = Main().Width() + 300;
    EXPECT_EQ(Map().Left(), 500);
    EXPECT_EQ(Map().Width(), 3000);
  }
  Map().WindowState = ui::vbNormal;
  h.console.st.WindowRestored = false;
  Main().Width = Main().Width() + 300;
  EXPECT_EQ(Map().Left(), 500);
}

// ---- exit and the guards -----------------------------------------------------------

TEST_F(MainWindowShell, ExitAsksFirstAndNoKeepsTheProgramRunning) {
  Op().ExpectMsgBox("Are you sure you want to exit the program?", ui::vbNo, "Confirm exit");
  Main().mnuFileExit.Choose();
  EXPECT_TRUE(Main().IsLoaded());
  EXPECT_FALSE(h.rt.QuitCalled());
  Op().ExpectMsgBox("Are you sure you want to exit the program?", ui::vbYes, "Confirm exit");
  Main().mnuFileExit.Choose();
  EXPECT_FALSE(h.console.IfLoaded<app::frmMain>());
  EXPECT_TRUE(h.rt.QuitCalled());
}

TEST_F(MainWindowShell, SettingsChangeOnlyOfflineUnlessInDemonstration) {
  h.serial.SetPortOpen(true);
  h.console.st.Online = true;
  Op().ExpectMsgBox(
      "Settings can only be changed while offline.\r\n"
      "Please disconnect from the current site before changing settings.",
      ui::vbOK, "Online");
  EXPECT_FALSE(Main().SettingsGuard());
  EXPECT_TRUE(h.serial.PortOpen());

  lnk::FindSetting(h.console, "chkDemo");
  h.console.settings.Current().SettingText = "1";
  h.console.settings.SettingTextToNum();
  EXPECT_TRUE(Main().SettingsGuard());
  EXPECT_FALSE(h.serial.PortOpen()) << "the dialogs find the port closed";
}

// The site menu's entries open their windows, Properties only for a selected
// site; a right click on the empty frame opens the site directory beside it.
TEST_F(MainWindowShell, SiteEntriesAndARightClickOnTheFrameOpenTheSiteWindows) {
  std::vector<std::string> opened;
  const auto look = [&](ui::Form& f) {
    const bool site = f.Name() == "frmSite";
    opened.push_back(f.Name() + (site ? (h.console.st.AddingSite ? " adding" : " editing") : ""));
    f.Unload();
  };
  Op().OnModal("frmSite", look)
      .OnModal("frmConnection", look)
      .ExpectMsgBox(
          "First select a site to view properties.\r\nYou may select a site by left-clicking it on "
          "the map.",
          ui::vbOK, "VKX-4700")
      .OnModal("frmSite", look);
  Main().mnuAddSite.Choose();
  Main().mnuSiteList.Choose();
  Main().mnuSiteProps.Choose();
  testkit::SiteRow row;
  testkit::SelectSite(h.console, testkit::AddSite(h.console, row), row);
  Main().mnuSiteProps.Choose();
  EXPECT_EQ(opened, (std::vector<std::string>{"frmSite adding", "frmConnection", "frmSite editing"}));

  Main().MDIForm_MouseDown(ui::vbLeftButton, 0, 600, 600);
  EXPECT_EQ(h.console.IfLoaded<app::frmConnection>(), nullptr);
  Main().MDIForm_MouseDown(ui::vbRightButton, 0, 600, 600);
  const auto* directory = h.console.IfLoaded<app::frmConnection>();
  ASSERT_NE(directory, nullptr);
  EXPECT_TRUE(directory->Visible());
  EXPECT_EQ(directory->lstDirectory.Count(), 1);
}

TEST_F(MainWindowShell, RemoveSiteNeedsASelectedSite) {
  Op().ExpectMsgBox(
      "First select a site to remove.\r\nYou may select a site by left-clicking it on the map.",
      ui::vbOK, "VKX-4700");
  Main().mnuRemoveSite.Choose();
}

TEST_F(MainWindowShell, RemoveSiteDeletesOnlyTheSiteRowAfterAYes) {
  testkit::SiteRow row;
  const std::int32_t id = testkit::AddSite(h.console, row);
  testkit::SelectSite(h.console, id, row);
  ASSERT_FALSE(h.console.Db.Execute(
      "INSERT INTO tData (SiteNum, DataDate, VBattMax) VALUES (12, 20260301, 52.5)"));
  Op().ExpectMsgBox("Are you sure you want to delete this site?", ui::vbNo, "Confirm site removal");
  Main().mnuRemoveSite.Choose();
  EXPECT_EQ(testkit::SiteField(h.console, id, "SiteName"), "North");
  EXPECT_EQ(h.console.st.SelectedSiteID, id);

  Op().ExpectMsgBox("Are you sure you want to delete this site?", ui::vbYes,
                    "Confirm site removal");
  Main().mnuRemoveSite.Choose();
  EXPECT_EQ(testkit::SiteField(h.console, id, "SiteName"), "");
  EXPECT_EQ(h.console.st.SelectedSiteID, 0);
  EXPECT_EQ(h.console.st.SelectedSiteName, "North") << "the name stays";
  platform::Recordset log = h.console.Db.OpenRecordset("SELECT * FROM tData WHERE (SiteNum=12);");
  EXPECT_FALSE(log.Eof()) << "the site's log rows stay";
}

// ---- unit commands from the menu -------------------------------------------------

TEST_F(MainWindowShell, ResetDatalogIsSentWithoutAQuestionOrATestOfTheConnection) {
  Main().mnuResetDatalog.Choose();  // a hidden entry cannot be chosen
  EXPECT_EQ(h.console.st.CmdState, lnk::kIdle);
  h.serial.SetPortOpen(true);
  Main().mnuResetDatalog_Click();
  h.rt.RunFor(500);
  EXPECT_EQ(h.console.st.CmdState, lnk::kDatalogReset);
  EXPECT_EQ(h.serial.AllWritten(), "Rd");
}

TEST_F(MainWindowShell, AutoAnswerTogglesTheEntryTheSettingAndTheModemSetUp) {
  testkit::SimulatedSite site(h, sim::UnitConfig{});
  site.AttachSerial(/*modem=*/true);
  auto init_modem_now = [this] {
    h.rt.After(2000, [this] { h.console.st.StopReceive = true; });
    Main().mnuOptionsAnswer_Click();
  };
  init_modem_now();
  EXPECT_TRUE(Main().mnuOptionsAnswer.Checked());
  EXPECT_EQ(lnk::SettingText(h.console, "AutoAnswer"), "True");
  EXPECT_EQ(site.Modem()->Register(0), 2);
  init_modem_now();
  EXPECT_FALSE(Main().mnuOptionsAnswer.Checked());
  EXPECT_EQ(lnk::SettingText(h.console, "AutoAnswer"), "False");
  EXPECT_EQ(site.Modem()->Register(0), 0);
  EXPECT_EQ(h.serial.AllWritten(), "AT&F1S0=2\rAT&F1S0=0\r");
}

}  // namespace
