// The online window: its panels, Update, Disconnect and its saved position.
#include <gtest/gtest.h>

#include <string>

#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/settings_access.h"
#include "link/status_parsers.h"
#include "link/v4_packet.h"
#include "unit/frm_install.h"

namespace {

class OnlineWindow : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ReportToGtest(h.rt); }
  void Start() {
    ASSERT_TRUE(h.Start());
    Prog().Show();
  }
  app::frmProgress& Prog() { return h.console.Get<app::frmProgress>(); }
  unit::frmInstall& Inst() { return h.console.Get<unit::frmInstall>(); }
  int ShownPanel() {
    int shown = -1;
    for (int i = 0; i < app::kPanelCount; ++i) {
      if (!Prog().fDisplay[i].Visible()) continue;
      if (shown != -1) return -2;  // more than one
      shown = i;
    }
    return shown;
  }

  testkit::ConsoleHarness h;
};

TEST_F(OnlineWindow, OpensOnTheTerminalPanelWithItsDesignValues) {
  Start();
  EXPECT_EQ(ShownPanel(), app::kPanelTerminal);
  EXPECT_TRUE(Prog().optDisplay[0].Value());
  EXPECT_EQ(Prog().txtTempBatt.Text(), "0 \xBA" "C");
  EXPECT_EQ(Prog().cmdUpdate.BackColor(), 0x8000000Au);
  // The gauges' columns and scales.
  EXPECT_EQ(Prog().lblVoltsBatt.Tag(), "60,54,36,0");
  EXPECT_EQ(Prog().lblTempCont.Tag(), "60,40,0,-20");
  EXPECT_EQ(Prog().lblTempCont.Top(), 825);
  EXPECT_EQ(Prog().lblVoltsBatt.Height(), 1785);
  EXPECT_EQ(Prog().lblVoltsBatt.Container(), &Prog().picVoltsBatt);
}

TEST_F(OnlineWindow, OptionButtonsShowExactlyOnePanel) {
  Start();
  Prog().optDisplay[app::kPanelBattery].Press();
  EXPECT_EQ(ShownPanel(), app::kPanelBattery);
  EXPECT_FALSE(Prog().optDisplay[0].Value());
  Prog().optDisplay_Click(app::kPanelPV);  // as the modem call does
  EXPECT_EQ(ShownPanel(), app::kPanelPV);
  Prog().optDisplay_Click(7);
  EXPECT_EQ(ShownPanel(), app::kPanelPV);

  // The panel survives hiding the window.
  Prog().Hide();
  Prog().Show();
  EXPECT_EQ(ShownPanel(), app::kPanelPV);
}

TEST_F(OnlineWindow, UpdateOnATextUnitAsksForUThenV) {
  Start();
  h.serial.SetPortOpen(true);
  Prog().cmdUpdate.Press();
  EXPECT_EQ(Prog().cmdUpdate.BackColor(), app::kUpdateBusyColor);
  EXPECT_EQ(h.console.st.CmdState, 5);
  EXPECT_TRUE(h.console.st.AutoNext) << "the reply to U goes on to V";
  h.rt.RunFor(200);
  EXPECT_EQ(h.serial.AllWritten(), "U");

  // Green until a status has been read.
  h.rt.RunFor(5000);
  EXPECT_EQ(Prog().cmdUpdate.BackColor(), app::kUpdateBusyColor);
  h.console.st.RxBuffer = "V 1 2 0 4 5 5000 100 200";
  lnk::ParseVReply(h.console);
  EXPECT_EQ(Prog().cmdUpdate.BackColor(), app::kUpdateIdleColor);
}

TEST_F(OnlineWindow, UpdateOnAV4UnitRequestsTheDumpPacket) {
  h.registry.SaveSetting("Settings", "V4", "1");
  Start();
  h.serial.SetPortOpen(true);
  h.console.st.UnitAddress = 1;
  h.console.st.RetryCount = 2;
  h.console.st.V4RetryCount = 3;
  h.console.st.RxBuffer = "left over";
  Prog().cmdUpdate.Press();

  EXPECT_FALSE(Inst().cmdUpdate.Enabled());
  EXPECT_EQ(h.console.st.CmdState, 21);
  EXPECT_FALSE(h.console.st.AutoNext);
  EXPECT_EQ(h.console.st.RetryCount, 0);
  EXPECT_EQ(h.console.st.V4RetryCount, 0);
  EXPECT_EQ(h.console.st.RxBuffer, "");
  EXPECT_EQ(h.serial.AllWritten(), "\x8A\x80\x80\xA2\x92\xC9\x8A\xB4\x0D");
}

TEST_F(OnlineWindow, UpdateOverTheNetworkSendsThePacketOnTheSocket) {
  h.registry.SaveSetting("Settings", "V4", "1");
  Start();
  h.tcp.RemoteHost = "127.0.0.1";
  h.tcp.Connect();
  h.rt.RunFor(100);
  h.console.st.UseTcp = true;
  Prog().cmdUpdate.Press();
  std::string expected;
  lnk::SendV4Packet([&](std::string_view piece) { expected += piece; }, 65535, "D");
  EXPECT_EQ(h.tcp.AllWritten(), expected);
  EXPECT_EQ(h.serial.AllWritten(), "");
}

TEST_F(OnlineWindow, DisconnectWhileOfflineDoesNothing) {
  Start();
  h.serial.SetPortOpen(true);
  Prog().cmdDisconnect.Press();
  h.rt.RunFor(3000);
  EXPECT_EQ(h.serial.AllWritten(), "");
  EXPECT_EQ(h.console.st.CmdState, 0);
  EXPECT_TRUE(Prog().Visible());
}

TEST_F(OnlineWindow, DisconnectWhileOnlineHangsUp) {
  Start();
  h.serial.SetPortOpen(true);
  h.console.st.Online = true;
  Prog().cmdDisconnect.Press();
  EXPECT_FALSE(h.console.st.Online);
  h.rt.RunFor(2000);
  EXPECT_EQ(h.serial.AllWritten(), "+++ATH0\r");
  EXPECT_FALSE(Prog().Visible());
}

TEST_F(OnlineWindow, SavePositionChangesTheSettingsInMemoryOnly) {
  Start();
  const std::string file_before = h.folder.ReadFile("VKX1300.ini").value_or("");
  Prog().Move(1234, 567);
  Prog().cmdSavePos.Press();
  EXPECT_EQ(lnk::SettingValue(h.console, "frmProgress.Left"), 1234);
  EXPECT_EQ(lnk::SettingText(h.console, "frmProgress.Left"), "1234");
  EXPECT_EQ(lnk::SettingText(h.console, "frmProgress.Top"), "567");
  EXPECT_EQ(h.folder.ReadFile("VKX1300.ini").value_or(""), file_before);
}

TEST_F(OnlineWindow, LoadsAtTheSavedPosition) {
  h.SetSetting("frmProgress.Left", "300");
  h.SetSetting("frmProgress.Top", "450");
  Start();
  EXPECT_EQ(Prog().Left(), 300);
  EXPECT_EQ(Prog().Top(), 450);
}

TEST_F(OnlineWindow, ActivationEnablesTheSessionButtonsOnlyWhenOnline) {
  ASSERT_TRUE(h.Start());
  Prog().cmdUpdate.Enabled = false;
  Prog().cmdDisconnect.Enabled = false;
  Prog().Show();
  EXPECT_FALSE(Prog().cmdUpdate.Enabled());
  EXPECT_FALSE(Prog().cmdDisconnect.Enabled());

  Prog().Hide();
  h.console.st.Online = true;
  Prog().Show();
  EXPECT_TRUE(Prog().cmdUpdate.Enabled());
  EXPECT_TRUE(Prog().cmdDisconnect.Enabled());
}

}  // namespace
