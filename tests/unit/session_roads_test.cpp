// The three roads to a unit from the main window's menus and toolbar, end to
// end on virtual time against the simulated unit: the session runs through
// the dump and the status to the installation screen's Status page, then
// hangs up.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "app/session_log.h"
#include "common/vb.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/settings_access.h"
#include "link/v4_packet.h"
#include "simulated_site.h"
#include "unit/frm_install.h"
#include "unit/frm_security.h"

namespace {

class SessionRoads : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ReportToGtest(h.rt); }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  // Starts the console; dialect_v4: the stored dialect ("V4" in the registry).
  void Start(bool dialect_v4) {
    if (dialect_v4) h.registry.SaveSetting("Settings", "V4", "1");
    ASSERT_TRUE(h.Start());
  }

  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  unit::frmInstall& Install() { return h.console.Get<unit::frmInstall>(); }

  // Runs `road` (which blocks in the receive loop); at `look_ms` the test
  // looks at the session and hangs up, and at `look_ms` + 10 s the receive
  // loop is stopped.
  void Run(const std::function<void()>& road, std::int64_t look_ms,
           const std::function<void()>& look) {
    h.rt.After(look_ms, [&] {
      look();
      Main().mnuDisconnect.Choose();
    });
    h.rt.After(look_ms + 10'000, [this] { h.console.st.StopReceive = true; });
    road();
  }

  // The operator gives the password dialog the unit's Controls combination.
  void UnlockControlsWith(testkit::SimulatedSite& site) {
    h.rt.Operator().OnModal("frmSecurity", [&site](ui::Form& f) {
      auto& security = static_cast<unit::frmSecurity&>(f);
      for (int i = 0; i <= 2; ++i)
        security.txtComb[i].Text = vb::Format(site.Unit().Memory(82 + i), "00");
      security.cmdOK.Press();
    });
  }

  // What the operator sees once the status is in: live values on the
  // Status page, alone at the top, with its toolbar button pressed.
  struct Seen {
    bool online = false;
    std::string volts;
    bool status_page = false;
    bool lock_button = false;
    std::string lock_caption;
    std::string status_tag;
  };
  Seen Look() {
    Seen s;
    auto& install = Install();
    s.online = h.console.st.Online;
    s.volts = install.txtBattVolts.Text();
    s.status_page = install.Visible() && install.fInstall[unit::kPageStatus].Visible() &&
                    !install.fInstall[unit::kPageMemory].Visible();
    s.lock_button = install.cmdLock.Visible();
    s.lock_caption = install.cmdLock.Caption();
    s.status_tag = Main().tbToolBar.Buttons("Status")->Tag();
    return s;
  }
  void ExpectStatusShown(const Seen& s, const std::string& volts) {
    EXPECT_TRUE(s.online);
    EXPECT_EQ(s.volts, volts);
    EXPECT_TRUE(s.status_page);
    EXPECT_TRUE(s.lock_button);
    EXPECT_EQ(s.status_tag, "1");
  }
  // After the hang-up: offline, every level locked, the session windows gone.
  void ExpectHungUp() {
    auto& st = h.console.st;
    EXPECT_FALSE(st.Online);
    EXPECT_TRUE(st.ControlsLocked && st.InstallLocked && st.FactoryLocked);
    EXPECT_FALSE(h.console.Get<app::frmProgress>().Visible());
    EXPECT_FALSE(Install().Visible());
    EXPECT_EQ(Main().tbToolBar.Buttons("Connect")->Image(), "Connect");
    EXPECT_EQ(Main().StatusText() + "|" + h.console.Get<app::frmProgress>().txtStatus.Text(),
              "Disconnected|Disconnected");
  }

  template <class Port>
  void WatchSessionStart(Port& port, std::size_t first, const std::string& logged);

  testkit::ConsoleHarness h;
  std::string seen_start, expected_start;
};

// ---- modem, map hidden, a typed number ----------------------------------------

TEST_F(SessionRoads, ModemToATextUnitDialsTheDigitsTypedAndAsksForThePasswordForStatus) {
  Start(false);
  testkit::SimulatedSite site(h, sim::UnitConfig{.firmware = 32116});
  site.AttachSerial(/*modem=*/true);
  h.rt.Operator().ExpectInputBox("Please enter telephone number to dial:", "555-0100 ");
  UnlockControlsWith(site);
  Seen seen;
  Run([&] { Main().mnuModem.Choose(); }, 60'000,
      [&] {
        Main().tbToolBar.Press("Status");
        seen = Look();
      });
  ExpectStatusShown(seen, "52.80");
  EXPECT_EQ(seen.lock_caption, "Lock");
  ExpectHungUp();
  EXPECT_EQ(lnk::SettingText(h.console, "sTelephone"), "555-0100 ");
  const std::string written = h.serial.AllWritten();
  EXPECT_NE(written.find("ATDT5550100\r"), std::string::npos);
  EXPECT_NE(written.find("+++"), std::string::npos);
  EXPECT_NE(written.find("ATH0\r"), std::string::npos);
  EXPECT_EQ(site.Unit().Commands(), (std::vector<std::string>{"D", "U", "V"}));
}

TEST_F(SessionRoads, ModemToAV4UnitOpensTheStatusPageByItselfWithoutAsking) {
  Start(false);
  testkit::SimulatedSite site(h, sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = 40100});
  site.AttachSerial(/*modem=*/true);
  h.rt.Operator().ExpectInputBox("Please enter telephone number to dial:", "5550100");
  Seen seen;
  Run([&] { Main().mnuModem.Choose(); }, 60'000, [&] { seen = Look(); });
  ExpectStatusShown(seen, "52.80");
  EXPECT_EQ(seen.lock_caption, "Unlock");
  ExpectHungUp();
  EXPECT_FALSE(h.console.st.V4Mode) << "the stored dialect again after the hang-up";
}

// ---- direct cable ----------------------------------------------------------------

TEST_F(SessionRoads, DirectCableToATextUnitFromTheToolbarAndHangupFromTheToolbar) {
  Start(false);
  h.registry.SaveSetting("Settings", "DefaultConn", "0");
  testkit::SimulatedSite site(h, sim::UnitConfig{.firmware = 30100});
  site.AttachSerial(/*modem=*/false);
  UnlockControlsWith(site);
  Seen seen;
  std::string caption_online;
  h.rt.After(40'000, [&] {
    caption_online = Main().tbToolBar.Buttons("Connect")->Caption();
    Main().tbToolBar.Press("Status");
    seen = Look();
    Main().tbToolBar.Press("Connect");  // "Hangup"
  });
  h.rt.After(50'000, [this] { h.console.st.StopReceive = true; });
  Main().tbToolBar.Press("Connect");

  EXPECT_EQ(caption_online, "Hangup");
  ExpectStatusShown(seen, "52.80");
  ExpectHungUp();
  EXPECT_FALSE(h.serial.PortOpen());
  EXPECT_FALSE(h.console.st.DirectCable);
  EXPECT_EQ(h.serial.OpenedPort, 2) << "CableComPort";
  EXPECT_EQ(h.serial.OpenedSettings, "9600,N,8,1");
  EXPECT_EQ(h.serial.AllWritten().find("+++"), std::string::npos);
  EXPECT_EQ(site.Unit().Commands(), (std::vector<std::string>{"D", "U", "V"}));
}

TEST_F(SessionRoads, DirectCableToAV4UnitAtATypedAddress) {
  Start(true);
  testkit::SimulatedSite site(
      h, sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = 40200, .address = 300});
  site.AttachSerial(/*modem=*/false);
  h.rt.Operator().ExpectInputBox(
      "Please enter a Unit Address to establish direct connection (0-65535):", "300");
  Seen seen;
  Run([&] { Main().mnuDirect.Choose(); }, 20'000, [&] { seen = Look(); });
  ExpectStatusShown(seen, "52.80");
  ExpectHungUp();
  EXPECT_EQ(h.console.st.UnitAddress, 300);
  EXPECT_EQ(h.registry.GetSetting("Settings", "LastAddress", ""), "300");
  EXPECT_EQ(site.Unit().Commands(), (std::vector<std::string>{"V4 D"}));
  EXPECT_EQ(h.console.param.FirmwareVersion, 40200);
  EXPECT_TRUE(h.console.st.V4Mode);
}

// ---- network -----------------------------------------------------------------------

TEST_F(SessionRoads, NetworkForcesV4AtAddress65535OnTheStoredHostAndPort) {
  Start(false);
  h.registry.SaveSetting("Settings", "RemoteIP", "127.0.0.1");
  h.registry.SaveSetting("Settings", "RemotePort", "4701");
  testkit::SimulatedSite site(
      h, sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = 40100, .address = 9});
  site.AttachTcp();
  Seen seen;
  std::int32_t address = -1;
  Run([&] { Main().mnuConnNet.Choose(); }, 20'000,
      [&] {
        address = h.console.st.UnitAddress;
        seen = Look();
      });
  ExpectStatusShown(seen, "52.80");
  ExpectHungUp();
  EXPECT_EQ(address, 65535);
  EXPECT_EQ(h.tcp.ConnectedHost, "127.0.0.1");
  EXPECT_EQ(h.tcp.ConnectedPort, 4701);
  EXPECT_EQ(site.Unit().Commands(), (std::vector<std::string>{"V4 D"}));
  EXPECT_EQ(h.tcp.State(), platform::sckClosed) << "the session ends with its connection";
  EXPECT_FALSE(h.console.st.V4Mode);
  EXPECT_TRUE(h.serial.AllWritten().empty()) << "nothing went to the serial port";
}

// The connected sequence's own start, whatever the unit then answers: the
// session's windows, both status fields and the flags begin afresh (seen
// when the session's first byte of its own goes out, write number `first`
// on `port`, the log then ending in `logged`).
template <class Port>
void SessionRoads::WatchSessionStart(Port& port, std::size_t first, const std::string& logged) {
  auto& st = h.console.st;
  auto& progress = h.console.Get<app::frmProgress>();
  auto& received = h.console.param.Received;
  st.SelectedSiteName = "North";
  st.AlarmFlags = std::string(16, '1');
  received.fill(true);
  app::SetStatus(h.console, "Disconnected");
  port.peer = [&, first, logged](std::string_view) {
    if (port.Writes().size() != first) return;
    seen_start = Main().StatusText() + "|" + progress.txtStatus.Text() + "|" +
                 progress.Caption() + "|" + progress.txtName.Text() + "|" +
                 progress.txtLog.Text() + st.AlarmFlags +
                 vb::CStr(std::count(received.begin(), received.begin() + 256, true));
    expected_start = "Connected|Connected|North|North|Session start: " +
                     vb::CStrDate(h.rt.Now()) + "\r\n" + logged + std::string(16, '0') + "0";
  };
}

// On the network the unit hears two carriage returns, then the dump request.
TEST_F(SessionRoads, NetworkSessionStartsAfreshWithTwoCarriageReturnsThenTheDumpRequest) {
  Start(false);
  WatchSessionStart(h.tcp, 2, "");  // the first carriage return is the connection's
  Run([&] { Main().mnuConnNet.Choose(); }, 5'000, [] {});
  EXPECT_EQ(seen_start, expected_start);
  std::string packet;
  lnk::SendV4Packet([&](std::string_view b) { packet += b; }, 65535, "D");
  EXPECT_EQ(h.tcp.AllWritten().substr(0, 2 + packet.size()), "\r\r" + packet);
}

// On the cable nothing but the connected sequence tells the operator the
// link is up; its first byte is the dump request.
TEST_F(SessionRoads, CableSessionStartsAfreshWithTheDumpRequest) {
  Start(false);
  WatchSessionStart(h.serial, 1, "Retrieving EEPROM data...\r\n");
  Run([&] { Main().mnuDirect.Choose(); }, 5'000, [] {});
  EXPECT_EQ(seen_start, expected_start);
  EXPECT_EQ(h.serial.Writes().at(0).bytes, "D");
}

// A cable session after a network session talks to the cable, not to the
// old socket.
TEST_F(SessionRoads, DirectCableAfterANetworkSessionRunsOnTheCable) {
  Start(false);
  {
    testkit::SimulatedSite net(h, sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = 40100});
    net.AttachTcp();
    Run([&] { Main().mnuConnNet.Choose(); }, 20'000, [] {});
  }
  h.tcp.peer = nullptr;
  testkit::SimulatedSite site(h, sim::UnitConfig{.firmware = 30100});
  site.AttachSerial(/*modem=*/false);
  const std::size_t socket_writes = h.tcp.Writes().size();
  std::string volts;
  Run([&] { Main().mnuDirect.Choose(); }, 40'000, [&] { volts = Install().txtBattVolts.Text(); });
  EXPECT_FALSE(h.console.st.UseTcp);
  EXPECT_EQ(site.Unit().Commands(), (std::vector<std::string>{"D", "U", "V"}));
  EXPECT_EQ(h.tcp.Writes().size(), socket_writes) << "nothing more went to the socket";
  EXPECT_EQ(volts, "52.80");
}

}  // namespace
