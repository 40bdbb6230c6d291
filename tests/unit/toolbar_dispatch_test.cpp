// The toolbar's dispatcher: the no-data refusal, the page buttons and their
// access levels, the Status page from its callers, the Connect button's two
// faces, and the online window, map, data-log and magnifier buttons.
#include <gtest/gtest.h>

#include <string>

#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "sites/frm_log.h"
#include "sites/frm_map.h"
#include "sites/frm_select_map.h"
#include "unit/frm_install.h"

namespace {

class ToolbarDispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  unit::frmInstall& Install() { return h.console.Get<unit::frmInstall>(); }
  ui::ToolbarButton& Button(const char* key) { return *Main().tbToolBar.Buttons(key); }
  void Press(const char* key) { Main().tbToolBar.Press(key); }
  // Data present, as after a dump or a status file.
  void HaveData() { h.console.st.EepromImage = "(Data)"; }
  // The password dialog opens; the operator looks and closes it.
  void ExpectPasswordDialog(std::string* key_asked) {
    h.rt.Operator().OnModal("frmSecurity", [this, key_asked](ui::Form& f) {
      *key_asked = h.console.st.CurrentKey;
      f.Hide();
    });
  }
  // The page shown alone (the others hidden), at the top.
  bool OnlyPageShown(int page) {
    auto& install = Install();
    for (int i = unit::kPageFactory; i <= unit::kPageStatus; ++i)
      if (install.fInstall[i].Visible() != (i == page)) return false;
    return install.Visible() && install.fInstall[page].Top() == 0;
  }
  bool Pressed(const char* key) {
    return Button(key).Tag() == "1" && Button(key).Value() == ui::tbrPressed;
  }

  testkit::ConsoleHarness h;
};

TEST_F(ToolbarDispatch, WithoutDataOnlyConnectSelectMapAndMagnifyWork) {
  for (const char* key : {"Site", "Status", "Memory", "Controls", "Install", "Factory", "Log"}) {
    h.rt.Operator().ExpectMsgBox(
        "No valid data to display. Please log onto a site or load a status file.", ui::vbOK,
        "VKX-4700");
    Press(key);
  }
  EXPECT_EQ(h.console.st.CurrentKey, "Log");
  EXPECT_FALSE(Install().Visible());
  EXPECT_FALSE(h.console.Get<app::frmProgress>().Visible());

  h.rt.Operator().OnModal("frmSelectMap", [](ui::Form& f) {
    static_cast<sites::frmSelectMap&>(f).cmdCancel.Press();
  });
  Press("Select");
  Press("Map");
  EXPECT_TRUE(app::MapShown(h.console));
  Press("Magnify");
  EXPECT_TRUE(h.console.Get<sites::frmMap>().Shape1.Visible());
}

TEST_F(ToolbarDispatch, ALockedControlsPageAsksForThePasswordEvenOffline) {
  HaveData();
  std::string asked;
  ExpectPasswordDialog(&asked);
  Press("Controls");
  EXPECT_EQ(asked, "Controls");
  EXPECT_EQ(h.console.st.InstallPage, unit::kPageControls);
  EXPECT_EQ(Install().Caption(), "Controls (Level 2)");
  EXPECT_TRUE(Pressed("Controls"));
}

TEST_F(ToolbarDispatch, LockedInstallAndFactoryPagesOpenOfflineStillLocked) {
  HaveData();
  Press("Install");
  EXPECT_TRUE(OnlyPageShown(unit::kPageInstall));
  EXPECT_EQ(Install().Caption(), "Install (Level 3)");
  EXPECT_TRUE(Install().cmdLock.Visible());
  EXPECT_TRUE(h.console.st.InstallLocked);
  EXPECT_TRUE(Pressed("Install"));

  Press("Factory");
  EXPECT_TRUE(OnlyPageShown(unit::kPageFactory));
  EXPECT_EQ(Install().Caption(), "Factory (Level 4)");
  EXPECT_TRUE(h.console.st.FactoryLocked);
  EXPECT_TRUE(Pressed("Factory"));
  EXPECT_FALSE(Pressed("Install")) << "one page button pressed at a time";

  Install().Hide();
  h.console.st.Online = true;  // online the same page asks
  std::string asked;
  ExpectPasswordDialog(&asked);
  Press("Install");
  EXPECT_EQ(asked, "Install");
}

TEST_F(ToolbarDispatch, APageButtonTogglesItsPageAndMemoryHasNoLockButton) {
  HaveData();
  Press("Memory");
  EXPECT_TRUE(OnlyPageShown(unit::kPageMemory));
  EXPECT_EQ(Install().Caption(), "Memory");
  EXPECT_FALSE(Install().cmdLock.Visible());
  EXPECT_TRUE(Pressed("Memory"));
  Press("Memory");
  EXPECT_FALSE(Install().Visible());
  EXPECT_EQ(Button("Memory").Tag(), "0");
  EXPECT_EQ(Button("Memory").Value(), ui::tbrUnpressed);
}

TEST_F(ToolbarDispatch, AnUnlockedControlsPageTakesTheOnlineWindowsButtons) {
  HaveData();
  h.console.st.ControlsLocked = false;
  Press("Controls");
  auto& progress = h.console.Get<app::frmProgress>();
  EXPECT_TRUE(OnlyPageShown(unit::kPageControls));
  EXPECT_TRUE(Install().cmdLock.Visible());
  EXPECT_EQ(progress.Caption(), "Site");
  EXPECT_FALSE(progress.cmdUpdate.Enabled());
  EXPECT_FALSE(progress.cmdDisconnect.Enabled());
  EXPECT_TRUE(Pressed("Site"));
  EXPECT_TRUE(Pressed("Controls"));
}

TEST_F(ToolbarDispatch, StatusTogglesOfflineAndForceReopensIt) {
  HaveData();
  Press("Status");
  EXPECT_TRUE(OnlyPageShown(unit::kPageStatus));
  EXPECT_EQ(Install().Caption(), "Status");
  EXPECT_TRUE(Pressed("Status"));
  Main().ShowStatus(/*force=*/true, /*skip_ask=*/false);
  EXPECT_TRUE(OnlyPageShown(unit::kPageStatus)) << "Force reopens a shown page";
  Main().ShowStatus(false, false);
  EXPECT_FALSE(Install().Visible());
  EXPECT_FALSE(Pressed("Status"));
}

TEST_F(ToolbarDispatch, StatusOnlineAsksWhileLockedUnlessTheCallerSkipsTheQuestion) {
  HaveData();
  h.console.st.Online = true;
  Main().ShowStatus(false, /*skip_ask=*/true);
  EXPECT_TRUE(OnlyPageShown(unit::kPageStatus));
  EXPECT_EQ(Install().cmdLock.Caption(), "Unlock");
  Install().Hide();
  std::string asked;
  ExpectPasswordDialog(&asked);
  Main().ShowStatus(/*force=*/true, false);
  EXPECT_EQ(asked, "Status");

  // Unlocked, it opens without asking and releases the other pages.
  Press("Memory");
  h.console.st.ControlsLocked = false;
  Press("Status");
  EXPECT_TRUE(OnlyPageShown(unit::kPageStatus));
  EXPECT_TRUE(Pressed("Status"));
  EXPECT_FALSE(Pressed("Memory"));
}

// "DefaultConn" 5 names no road: the button turns to "Hangup" and nothing
// starts; the next click turns it back and hangs up nothing.
TEST_F(ToolbarDispatch, ConnectWithAnUnknownDefaultRoadOnlyFlipsTheButton) {
  h.registry.SaveSetting("Settings", "DefaultConn", "5");
  Press("Connect");
  EXPECT_EQ(Button("Connect").Image(), "Hangup");
  EXPECT_EQ(Button("Connect").Caption(), "Hangup");
  EXPECT_EQ(h.serial.OpenCount(), 0);
  EXPECT_EQ(h.tcp.ConnectCount(), 0);
  Press("Connect");
  EXPECT_EQ(Button("Connect").Image(), "Connect");
  EXPECT_EQ(Button("Connect").Caption(), "Connect");
  EXPECT_TRUE(h.serial.AllWritten().empty());
  EXPECT_FALSE(h.console.st.Online);
}

// The Site button's design Tag is no number: it reads as "not shown".
TEST_F(ToolbarDispatch, SiteShowsAndHidesTheOnlineWindowFromItsDesignTag) {
  HaveData();
  ASSERT_EQ(Button("Site").Tag(), "Site");
  auto& progress = h.console.Get<app::frmProgress>();
  Press("Site");
  EXPECT_TRUE(progress.Visible());
  EXPECT_TRUE(Pressed("Site"));
  Press("Site");
  EXPECT_FALSE(progress.Visible());
  EXPECT_EQ(Button("Site").Tag(), "0");
}

TEST_F(ToolbarDispatch, MapTogglesOnlyOfflineAndHidingItDropsTheSelection) {
  Press("Map");
  EXPECT_TRUE(app::MapShown(h.console));
  EXPECT_EQ(Button("Map").Value(), ui::tbrPressed);
  h.console.st.SelectedSiteID = 3;
  h.console.st.SelectedSiteName = "North";
  h.console.st.Online = true;
  Press("Map");
  EXPECT_TRUE(app::MapShown(h.console)) << "not while online";
  h.console.st.Online = false;
  Press("Map");
  EXPECT_FALSE(app::MapShown(h.console));
  EXPECT_EQ(h.console.st.SelectedSiteID, 0);
  EXPECT_EQ(h.console.st.SelectedSiteName, "");
  EXPECT_EQ(Button("Map").Value(), ui::tbrUnpressed);
}

TEST_F(ToolbarDispatch, LogRefusesOnlineAndWithoutASite) {
  HaveData();
  h.console.st.Online = true;
  h.rt.Operator()
      .ExpectMsgBox(
          "Please disconnect from the current site before viewing log or graph information.",
          ui::vbOK, "Online")
      .ExpectMsgBox(
          "First select a site before viewing graph information. \r\n"
          "You may select a site by left-clicking it on the map.",
          ui::vbOK, "Select site");
  Press("Log");
  h.console.st.Online = false;
  Press("Log");
  EXPECT_FALSE(h.console.Get<sites::frmLog>().Visible());
}

TEST_F(ToolbarDispatch, LogTogglesForTheSameSiteAndShowsAnotherSiteAnew) {
  HaveData();
  auto& st = h.console.st;
  auto& log = h.console.Get<sites::frmLog>();
  st.SelectedSiteID = 4;
  Press("Log");  // another site than the one loaded: filled anew and shown
  EXPECT_TRUE(log.Visible());
  EXPECT_EQ(st.LogSiteID, 4);
  EXPECT_EQ(Button("Log").Tag(), "0") << "Tag and Value stay when the list is filled";
  Press("Log");  // same site, nothing new: the button toggles the window
  EXPECT_TRUE(log.Visible());
  EXPECT_TRUE(Pressed("Log"));
  Press("Log");
  EXPECT_FALSE(log.Visible());
  EXPECT_EQ(Button("Log").Tag(), "0");

  st.LogDownloaded = true;  // new rows stored: filled anew and shown
  Press("Log");
  EXPECT_TRUE(log.Visible());
  EXPECT_EQ(Button("Log").Tag(), "0");
  st.LogDownloaded = false;
  st.SelectedSiteID = 5;
  log.Hide();
  Press("Log");
  EXPECT_TRUE(log.Visible());
  EXPECT_EQ(st.LogSiteID, 5);

  // A site whose id lies 65536 away is another site: each fills anew.
  for (std::int32_t id : {65536 + 5, 5}) {
    log.Hide();
    st.SelectedSiteID = id;
    Press("Log");
    EXPECT_TRUE(log.Visible());
    EXPECT_EQ(st.LogSiteID, id);
    EXPECT_EQ(Button("Log").Tag(), "0") << "filled, not toggled, for " << id;
  }
}

TEST_F(ToolbarDispatch, MagnifyWorksOnlyOnAShownMapAndLeavesAMagnifiedView) {
  auto& st = h.console.st;
  auto& map = h.console.Get<sites::frmMap>();
  Press("Magnify");
  EXPECT_FALSE(map.Shape1.Visible()) << "the map is hidden";
  Press("Map");
  map.imgMap.Width = 9000;
  map.imgMap.Height = 6000;
  st.ZoomFactor = 4;
  Press("Magnify");
  EXPECT_TRUE(map.Shape1.Visible());
  EXPECT_EQ(st.ZoomFactor, 0);
  EXPECT_EQ(st.ViewRight, 9000);
  EXPECT_EQ(st.ViewBottom, 6000);
  st.ViewLeft = 100;
  Press("Magnify");
  EXPECT_FALSE(map.Shape1.Visible());
  EXPECT_EQ(st.ViewLeft, 100) << "hiding the frame changes nothing else";

  st.MapZoomed = true;
  st.ViewTop = 50;
  Press("Magnify");
  EXPECT_FALSE(st.MapZoomed);
  EXPECT_EQ(st.ViewLeft, 0);
  EXPECT_EQ(st.ViewTop, 0);
  EXPECT_EQ(st.ViewRight, 9000);
  EXPECT_FALSE(map.Shape1.Visible());
}

}  // namespace
