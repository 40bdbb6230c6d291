// Closing the main window: what the shutdown leaves on disk (the settings
// file, the window's rectangle in the registry, none when minimised) and
// that nothing is left running, also when a session is still open.
#include <gtest/gtest.h>

#include <string>

#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/frm_monitor.h"
#include "app/frm_splash.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/settings_access.h"
#include "simulated_site.h"
#include "ui/timer.h"

namespace {

class MainWindowShutdown : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  std::string Stored(const char* key) { return h.registry.GetSetting("Settings", key, "absent"); }
  void ChangeSettingInMemory(const char* key, const std::string& text) {
    ASSERT_NE(lnk::FindSetting(h.console, key), 0);
    h.console.settings.Current().SettingText = text;
    h.console.settings.SettingTextToNum();
  }
  // Timers of any window that would still fire.
  int RunningTimers() {
    int running = 0;
    for (ui::Form* form : h.console.AllForms())
      for (ui::Control* control : form->Controls())
        if (control->Kind() == ui::ControlKind::Timer &&
            h.rt.IsScheduled(static_cast<ui::Timer&>(*control)))
          ++running;
    return running;
  }

  testkit::ConsoleHarness h;
};

TEST_F(MainWindowShutdown, ClosingWritesTheSettingsAndTheRectangleAndStopsEverything) {
  ChangeSettingInMemory("sTelephone", "5550199");
  Main().Move(1200, 900, 9000, 7000);
  h.serial.SetPortOpen(true);
  h.console.Get<app::frmAbout>().Show();
  ASSERT_GT(RunningTimers(), 0);

  Main().UserClose();  // the close box: no question

  EXPECT_NE(h.folder.ReadFile("VKX1300.ini").value_or("").find("[sTelephone]=5550199\r\n"),
            std::string::npos);
  EXPECT_EQ(Stored("MainLeft"), "1200");
  EXPECT_EQ(Stored("MainTop"), "900");
  EXPECT_EQ(Stored("MainWidth"), "9000");
  EXPECT_EQ(Stored("MainHeight"), "7000");
  EXPECT_FALSE(h.serial.PortOpen());
  EXPECT_TRUE(h.console.st.StopReceive);
  EXPECT_FALSE(h.console.IfLoaded<app::frmAbout>());
  EXPECT_FALSE(h.console.IfLoaded<app::frmSplash>());
  EXPECT_FALSE(h.console.IfLoaded<app::frmMonitor>());
  EXPECT_FALSE(h.console.IfLoaded<app::frmMain>());
  EXPECT_EQ(RunningTimers(), 0);
  EXPECT_TRUE(h.rt.QuitCalled());
}

TEST_F(MainWindowShutdown, AMinimisedWindowKeepsTheRectangleStoredBefore) {
  h.registry.SaveSetting("Settings", "MainLeft", "111");
  h.registry.SaveSetting("Settings", "MainWidth", "7777");
  Main().WindowState = ui::vbMinimized;
  Main().UserClose();
  EXPECT_EQ(Stored("MainLeft"), "111");
  EXPECT_EQ(Stored("MainWidth"), "7777");
  EXPECT_EQ(Stored("MainTop"), "absent");
  EXPECT_TRUE(h.folder.ReadFile("VKX1300.ini").has_value());
  EXPECT_TRUE(h.rt.QuitCalled());
}

// Exit in the middle of a network session: the road's receive loop returns,
// the socket is closed and nothing runs on.
TEST_F(MainWindowShutdown, ExitDuringASessionEndsTheSessionsLoopAndLeavesNothingRunning) {
  testkit::SimulatedSite site(h, sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = 40100});
  site.AttachTcp();
  h.rt.Operator().ExpectMsgBox("Are you sure you want to exit the program?", ui::vbYes,
                               "Confirm exit");
  bool online_before = false;
  h.rt.After(20'000, [&] {
    online_before = h.console.st.Online;
    Main().mnuFileExit.Choose();
  });
  h.rt.SetTimeLimit(h.rt.Now() + 60'000);
  Main().mnuConnNet.Choose();  // returns only when its receive loop ends
  EXPECT_TRUE(online_before);
  EXPECT_TRUE(h.rt.QuitCalled());
  EXPECT_EQ(h.tcp.State(), platform::sckClosed);
  EXPECT_EQ(RunningTimers(), 0);
  EXPECT_NE(Stored("MainWidth"), "absent");
}

}  // namespace
