// The roads to a unit that do not start a session: refusals while online,
// without a selected site on a shown map, with an invalid address, a port in
// use or a network host that never answers; and which port, host and
// address a road takes from the map's site.
#include <gtest/gtest.h>

#include <string>

#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "app/frm_readout.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/modem_call.h"
#include "link/settings_access.h"
#include "site_rows.h"
#include "sites/frm_map.h"

namespace {

constexpr const char* kHint = "\r\nYou may select a site by left-clicking it on the map.";

class RoadRefusals : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  testkit::ScriptedOperator& Op() { return h.rt.Operator(); }
  void ShowMap() {
    Main().tbToolBar.Press("Map");
    ASSERT_TRUE(app::MapShown(h.console));
  }
  // Selects a site of the map whose SitePhone is `phone`.
  void SelectSiteWithPhone(const std::string& phone) {
    testkit::SiteRow row;
    row.phone = phone;
    testkit::SelectSite(h.console, testkit::AddSite(h.console, row), row);
  }
  // Runs a road that opens a session and stops its receive loop once the
  // session has begun (the loop clears the flag when it starts).
  void RunBriefly(void (app::frmMain::*road)(), std::int64_t stop_ms = 100) {
    h.rt.After(stop_ms, [this] { h.console.st.StopReceive = true; });
    (Main().*road)();
  }
  std::string ConnectImage() { return Main().tbToolBar.Buttons("Connect")->Image(); }

  testkit::ConsoleHarness h;
};

TEST_F(RoadRefusals, ModemRefusesASecondSessionWhileOnline) {
  h.console.st.Online = true;
  h.console.param.SequentialDump = true;
  Op().ExpectMsgBox(
      "Please disconnect from the current site before establishing another connection.", ui::vbOK,
      "VKX-4700");
  Main().mnuModem.Choose();
  EXPECT_FALSE(h.console.param.SequentialDump);
  EXPECT_EQ(h.serial.OpenCount(), 0);
}

TEST_F(RoadRefusals, EveryRoadNeedsASelectedSiteWhileTheMapIsShown) {
  ShowMap();
  Op().ExpectMsgBox(std::string("First select the site to connect to via modem.") + kHint)
      .ExpectMsgBox(std::string("First select the site to connect to via direct cable.") + kHint)
      .ExpectMsgBox(std::string("First select the site to connect to via network.") + kHint);
  Main().mnuModem.Choose();
  Main().mnuDirect.Choose();
  Main().mnuConnNet.Choose();
  EXPECT_EQ(h.serial.OpenCount(), 0);
  EXPECT_EQ(h.tcp.ConnectCount(), 0);
  EXPECT_FALSE(h.console.st.DirectCable);
}

TEST_F(RoadRefusals, AnsweringNoToTheConfirmationPutsTheConnectButtonBack) {
  ShowMap();
  SelectSiteWithPhone("5550100");
  h.registry.SaveSetting("Settings", "DefaultConn", "1");
  Op().ExpectMsgBox("Are you sure you want to establish a modem\r\nconnection to the site 'North'?",
                    ui::vbNo, "Confirm connection");
  Main().tbToolBar.Press("Connect");
  EXPECT_EQ(ConnectImage(), "Connect");
  EXPECT_EQ(Main().tbToolBar.Buttons("Connect")->Caption(), "Connect");
  EXPECT_EQ(h.serial.OpenCount(), 0);
}

// A site without a number has nothing to dial: no call, the button back.
TEST_F(RoadRefusals, AMapSiteWithoutATelephoneNumberIsNotDialled) {
  ShowMap();
  testkit::SiteRow row;
  const std::int32_t id = testkit::AddSite(h.console, row);
  h.console.Db.Execute("UPDATE tSites SET SitePhone = NULL WHERE SiteID = " + std::to_string(id));
  testkit::SelectSite(h.console, id, row);
  h.registry.SaveSetting("Settings", "DefaultConn", "1");
  Op().ExpectMsgBox("~Are you sure you want to establish a modem", ui::vbYes, "Confirm connection");
  Main().tbToolBar.Press("Connect");
  EXPECT_EQ(ConnectImage(), "Connect");
  EXPECT_EQ(h.serial.OpenCount(), 0);
}

TEST_F(RoadRefusals, AnInvalidOrEmptyAddressStartsNothingAndChangesNothing) {
  h.console.st.V4Mode = true;
  h.registry.SaveSetting("Settings", "LastAddress", "12");
  const char* direct = "Please enter a Unit Address to establish direct connection (0-65535):";
  const char* network = "Please enter a Unit Address to establish network connection (0-65535):";
  Op().ExpectInputBox(direct, "1e3")
      .ExpectMsgBox("The unit address must be in the range 0-65535", ui::vbOK, "VKX-4700")
      .ExpectInputBox(network, "65536")
      .ExpectMsgBox("The unit address must be in the range 0-65535", ui::vbOK, "VKX-4700")
      .ExpectInputBox(direct, "")
      .ExpectInputBox(network, "");
  Main().mnuDirect.Choose();
  Main().mnuConnNet.Choose();
  Main().mnuDirect.Choose();
  Main().mnuConnNet.Choose();
  EXPECT_EQ(h.console.st.UnitAddress, 65535);
  EXPECT_EQ(h.registry.GetSetting("Settings", "LastAddress", ""), "12");
  EXPECT_EQ(h.serial.OpenCount(), 0);
  EXPECT_EQ(h.tcp.ConnectCount(), 0);
}

TEST_F(RoadRefusals, APortInUseIsReportedAndNoSessionStarts) {
  h.serial.busy_ports = {2};
  h.registry.SaveSetting("Settings", "DefaultConn", "0");
  Op().ExpectMsgBox("Serial port seems to be in use by another application.", ui::vbOK, "VKX-4700");
  Main().tbToolBar.Press("Connect");
  EXPECT_EQ(ConnectImage(), "Connect");
  EXPECT_FALSE(h.console.st.Online);
  EXPECT_FALSE(h.console.st.DirectCable) << "no cable session began";
  EXPECT_FALSE(h.console.Get<app::frmProgress>().Visible());
  // The next modem session still hangs the modem up.
  h.serial.busy_ports.clear();
  h.serial.SetPortOpen(true);
  h.console.st.Online = true;
  lnk::Disconnect(h.console);
  h.Run(1);
  EXPECT_TRUE(h.serial.PortOpen());
  EXPECT_EQ(h.serial.AllWritten(), "+++ATH0\r");
}

TEST_F(RoadRefusals, TheCableWaitsWhileAutoAnswerHoldsThePort) {
  Main().mnuOptionsAnswer.Checked = true;
  h.serial.SetPortOpen(true);
  Op().ExpectMsgBox(
      "Please disable Auto-Answer mode before attempting to\r\nestablish a direct-cable "
      "connection.",
      ui::vbOK, "COM channel already open");
  Main().mnuDirect.Choose();
  EXPECT_TRUE(h.serial.PortOpen());
  EXPECT_EQ(h.serial.OpenCount(), 1);
  EXPECT_FALSE(h.console.st.Online);
}

// About 11 s: 0.5 s before connecting, 10 s of waiting, 1 s more.
TEST_F(RoadRefusals, ANetworkHostThatNeverAnswersIsGivenUpAfterElevenSeconds) {
  h.tcp.far_end = testkit::FakeTcpClient::FarEnd::Silent;
  const std::int64_t start = h.rt.ElapsedMs();
  bool told_early = false;
  Op().ExpectMsgBox("Unable to open client connection.", ui::vbOK, "VKX-4700");
  h.rt.After(11'400, [&] { told_early = !h.rt.Operator().Shown().empty(); });
  Main().mnuConnNet.Choose();
  const std::int64_t took = h.rt.ElapsedMs() - start;
  EXPECT_GE(took, 11'500);
  EXPECT_LT(took, 11'600);
  EXPECT_FALSE(told_early) << "not before the whole wait";
  auto& st = h.console.st;
  EXPECT_FALSE(st.Online);
  EXPECT_FALSE(st.ConnectFailed) << "cleared again once the session was given up";
  EXPECT_FALSE(h.console.Get<app::frmProgress>().Visible());
  auto& readout = h.console.Get<app::frmReadout>();
  EXPECT_TRUE(readout.Visible());
  EXPECT_EQ(readout.lblReadout.Caption(), "Attempting network connection...");
  EXPECT_EQ(Main().StatusText(), "Connecting to 127.0.0.1");
  EXPECT_TRUE(h.tcp.Writes().empty());
}

// The network road forces V4; when it gives up, no session ran to hang up,
// so the stored dialect comes back at once for the next road.
TEST_F(RoadRefusals, AFailedNetworkAttemptLeavesTheStoredDialect) {
  h.tcp.far_end = testkit::FakeTcpClient::FarEnd::Refuses;
  Op().ExpectMsgBox("Unable to open client connection.");
  Main().mnuConnNet.Choose();
  EXPECT_FALSE(h.console.st.V4Mode);
  // The direct cable then speaks the text dialect, without asking an address.
  RunBriefly(&app::frmMain::mnuDirect_Click);
  EXPECT_EQ(h.serial.AllWritten().substr(0, 1), "D");
}

// A stored port that is no TCP port (an older version let it through, or
// an edit by hand) is refused by name before anything connects: 70000
// would reach port 4464, and "1e10" has no int at all.
TEST_F(RoadRefusals, ANetworkRoadRefusesAStoredRemotePortThatIsNoPort) {
  for (const char* stored : {"70000", "1e10", "0", "4660.5", "-4660", ""}) {
    h.registry.SaveSetting("Settings", "RemotePort", stored);
    Op().ExpectMsgBox(std::string("The Remote Port must be a whole number from 1 to 65535. It is \"") +
                          stored + "\".\r\nPlease correct it under Options, Settings, Network.",
                      ui::vbOK, "VKX-4700");
    Main().mnuConnNet.Choose();
    EXPECT_EQ(h.tcp.ConnectCount(), 0) << stored;
    EXPECT_FALSE(h.console.st.Online || h.console.st.ConnectFailed || h.console.st.V4Mode) << stored;
  }
  h.registry.SaveSetting("Settings", "RemotePort", " 65535 ");
  RunBriefly(&app::frmMain::mnuConnNet_Click, 3000);
  EXPECT_EQ(h.tcp.ConnectedPort, 65535);
  EXPECT_TRUE(h.console.st.Online);
}

// Ports and rings stored before the settings dialog checked them (or edited
// by hand) are refused by name when a road would use them, and nothing
// opens or is sent: "2.6" would open COM3, and rings of "2DT5551234" would
// make the auto-answer set-up dial.
TEST_F(RoadRefusals, StoredPortsAndRingsThatAreNoneAreRefusedBeforeUse) {
  const std::string correct = "\".\r\nPlease correct it under Options, Settings, ";
  const struct {
    const char* key;
    const char* stored;
    std::string message;
    void (app::frmMain::*road)();
  } cases[] = {
      {"CableComPort", "2.6",
       "The Cable COM Port must be a whole number from 1 to 16. It is \"2.6" + correct + "Cable.",
       &app::frmMain::mnuDirect_Click},
      {"ModemComPort", "3x",
       "The Modem COM Port must be a whole number from 1 to 16. It is \"3x" + correct + "Modem.",
       &app::frmMain::mnuOptionsAnswer_Click},
      {"ModemRings", "2DT5551234",
       "The Number of Rings must be a whole number from 0 to 255. It is \"2DT5551234" + correct +
           "Modem.",
       &app::frmMain::mnuOptionsAnswer_Click},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    const std::string kept = lnk::SettingText(h.console, c.key);
    lnk::Setting(h.console, c.key).SettingText = c.stored;
    Op().ExpectMsgBox(c.message, ui::vbOK, "VKX-4700");
    (Main().*c.road)();
    EXPECT_EQ(h.serial.OpenCount(), 0);
    EXPECT_EQ(h.serial.AllWritten(), "");
    EXPECT_FALSE(h.console.st.Online);
    lnk::Setting(h.console, c.key).SettingText = kept;
    Main().mnuOptionsAnswer.Checked = false;
  }
}

// A reconnect that failed in mid-session leaves ConnectFailed set; the next
// attempt still waits for its own connection.
TEST_F(RoadRefusals, ANetworkAttemptIsNotGivenUpForAnEarlierFailure) {
  h.console.st.ConnectFailed = true;
  h.tcp.connect_delay_ms = 3000;
  RunBriefly(&app::frmMain::mnuConnNet_Click, 8000);
  EXPECT_TRUE(h.console.st.Online);
  EXPECT_EQ(h.tcp.State(), platform::sckConnected);
}

TEST_F(RoadRefusals, TheCableTakesTheMapSitesPortOrTheCablePort) {
  ShowMap();
  Op().AllowMsgBox("~Are you sure you want to establish a direct cable", ui::vbYes);
  SelectSiteWithPhone("5");
  RunBriefly(&app::frmMain::mnuDirect_Click);
  EXPECT_EQ(h.serial.OpenedPort, 5);

  h.console.st.Online = false;
  SelectSiteWithPhone("17");
  RunBriefly(&app::frmMain::mnuDirect_Click);
  EXPECT_EQ(h.serial.OpenedPort, 2) << "CableComPort";

  h.console.st.Online = false;
  h.serial.SetPortOpen(false);
  h.serial.CommPort = 7;
  testkit::SiteRow row;
  row.name = "NoPhone";
  const std::int32_t id = testkit::AddSite(h.console, row);
  h.console.Db.Execute("UPDATE tSites SET SitePhone = NULL WHERE SiteID = " + std::to_string(id));
  testkit::SelectSite(h.console, id, row);
  h.console.st.UnitAddress = 4321;
  RunBriefly(&app::frmMain::mnuDirect_Click);
  EXPECT_EQ(h.serial.OpenedPort, 7) << "a site without a SitePhone leaves the port as it was";
  EXPECT_EQ(h.console.st.UnitAddress, 4321) << "the site's unit number is not taken";
}

TEST_F(RoadRefusals, TheNetworkTakesTheMapSitesAddressOrTheStoredHost) {
  ShowMap();
  SelectSiteWithPhone("~127.0.0.5");
  h.console.st.SiteNetAddress = "127.0.0.5";  // as the map's double-click sets it
  RunBriefly(&app::frmMain::mnuConnNet_Click, 8000);
  EXPECT_EQ(h.tcp.ConnectedHost, "127.0.0.5");
}

}  // namespace
