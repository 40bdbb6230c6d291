#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/startup.h"
#include "sites/frm_map.h"
#include "unit/frm_install.h"

namespace {

using testkit::ConsoleHarness;

TEST(StartUp, DialectComesFromTheRegistry) {
  ConsoleHarness text;
  ASSERT_TRUE(text.Start());
  EXPECT_FALSE(text.console.st.V4Mode);

  ConsoleHarness v4;
  v4.registry.SaveSetting("Settings", "V4", "1");
  ASSERT_TRUE(v4.Start());
  EXPECT_TRUE(v4.console.st.V4Mode);
  EXPECT_EQ(v4.console.st.UnitAddress, 65535);
}

TEST(StartUp, DemoModeIsOnlineBeforeAnyConnection) {
  ConsoleHarness h;
  h.SetSetting("chkDemo", "1");
  ASSERT_TRUE(h.Start());
  EXPECT_TRUE(h.console.st.Online);
  EXPECT_TRUE(h.console.st.ControlsLocked && h.console.st.InstallLocked &&
              h.console.st.FactoryLocked);
}

TEST(StartUp, MainWindowComesUpAtTheSavedOrDefaultRectangle) {
  ConsoleHarness fresh;
  ASSERT_TRUE(fresh.Start());
  auto& main = fresh.console.Get<app::frmMain>();
  EXPECT_EQ(main.Left(), 1000);
  EXPECT_EQ(main.Top(), 1000);
  EXPECT_EQ(main.Width(), 6500);
  EXPECT_EQ(main.Height(), 6500);
  EXPECT_TRUE(main.Visible());
  EXPECT_EQ(main.StatusText(), "Disconnected");

  ConsoleHarness saved;
  saved.registry.SaveSetting("Settings", "MainLeft", "15");
  saved.registry.SaveSetting("Settings", "MainWidth", "12000");
  ASSERT_TRUE(saved.Start());
  EXPECT_EQ(saved.console.Get<app::frmMain>().Left(), 15);
  EXPECT_EQ(saved.console.Get<app::frmMain>().Width(), 12000);
  EXPECT_TRUE(saved.console.st.WindowRestored);
}

TEST(StartUp, RestoreRunsTwoSecondsAfterMainAndHidesTheStartWindows) {
  ConsoleHarness h;
  ASSERT_TRUE(lnk::Main(h.console));
  EXPECT_TRUE(h.console.Get<app::frmSplash>().Visible());
  EXPECT_TRUE(h.console.Get<sites::frmMap>().Visible());
  h.rt.RunFor(1999);
  EXPECT_FALSE(h.console.st.WindowRestored);
  h.rt.RunFor(1);
  EXPECT_TRUE(h.console.st.WindowRestored);
  EXPECT_EQ(h.console.IfLoaded<app::frmSplash>(), nullptr);
  EXPECT_FALSE(h.console.Get<sites::frmMap>().Visible());
  ASSERT_NE(h.console.IfLoaded<unit::frmInstall>(), nullptr);
  EXPECT_FALSE(h.console.Get<unit::frmInstall>().Visible());
  // One shot: it never fires again.
  EXPECT_FALSE(h.rt.IsScheduled(h.console.Get<app::frmMain>().tmrStartup));
}

TEST(StartUp, CalloutTimerRunsOnlyWhenSetUp) {
  ConsoleHarness off;
  ASSERT_TRUE(off.Start());
  EXPECT_FALSE(off.console.Get<app::frmMain>().tmrCallout.Enabled());

  ConsoleHarness on;
  on.SetSetting("chkAutoCallout", "1");
  ASSERT_TRUE(on.Start());
  auto& timer = on.console.Get<app::frmMain>().tmrCallout;
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 60000);
}

TEST(StartUp, ModemInitCommandIsTheSettingWithACarriageReturn) {
  ConsoleHarness h;
  h.SetSetting("ModemInit", "ATZ&F0");
  ASSERT_TRUE(h.Start());
  EXPECT_EQ(h.console.cmd.Cmd[1], "ATZ&F0\r");
  EXPECT_EQ(h.console.cmd.Cmd[10], "D");
  EXPECT_EQ(h.console.cmd.CmdTimeout[2], 65000);
  EXPECT_EQ(h.console.cmd.CmdLines[12], "7");
}

TEST(StartUp, MissingModemInitLeavesALoneCarriageReturn) {
  ConsoleHarness h;
  testkit::ReportToGtest(h.rt);
  std::string text = h.folder.ReadFile("VKX1300.ini").value();
  text.erase(text.find("[ModemInit]="), text.find("\r\n", text.find("[ModemInit]=")) -
                                            text.find("[ModemInit]=") + 2);
  ASSERT_FALSE(h.folder.WriteFileAtomic("VKX1300.ini", text));
  h.rt.Operator().ExpectMsgBox("Setting 'ModemInit' not found.");
  ASSERT_TRUE(h.Start());
  EXPECT_EQ(h.console.cmd.Cmd[1], "\r");
  testkit::ExpectScriptDone(h.rt);
}

TEST(Shutdown, WritesTheSettingsFileAndGeometryUnlessMinimised) {
  ConsoleHarness h;
  ASSERT_TRUE(h.Start());
  auto& main = h.console.Get<app::frmMain>();
  main.Move(300, 400, 9000, 7000);
  h.console.settings.Find("sTelephone");
  h.console.settings.Current().SettingText = "5551234";
  main.UserClose();
  EXPECT_TRUE(h.rt.QuitCalled());
  EXPECT_TRUE(h.console.st.StopReceive);
  EXPECT_EQ(h.registry.GetSetting("Settings", "MainLeft", ""), "300");
  EXPECT_EQ(h.registry.GetSetting("Settings", "MainHeight", ""), "7000");
  EXPECT_NE(h.folder.ReadFile("VKX1300.ini")->find("[sTelephone]=5551234\r\n"), std::string::npos);

  ConsoleHarness minimised;
  ASSERT_TRUE(minimised.Start());
  auto& m = minimised.console.Get<app::frmMain>();
  m.WindowState = ui::vbMinimized;
  m.UserClose();
  EXPECT_FALSE(minimised.registry.HasSetting("Settings", "MainLeft"));
}

}  // namespace
