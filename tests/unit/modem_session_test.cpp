// A modem call from the first command to the hang-up, against the simulated
// unit and modem, on virtual time.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "app/frm_readout.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "link/receive_loop.h"
#include "simulated_site.h"
#include "site_rows.h"
#include "unit/frm_install.h"

namespace {

class ModemSession : public ::testing::Test {
 protected:
  explicit ModemSession(vb::DateTime start = vb::MakeDateTime(2026, 3, 2, 10, 0, 0)) : h(start) {}
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
    site_id = testkit::AddSite(h.console, row);
    testkit::SelectSite(h.console, site_id, row);
    h.console.cmd.Cmd[lnk::kDial] = "ATDT5550100\r";
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  // Calls, lets `then` run at `at_ms` after the call started (from the event
  // loop), and stops the receive loop at `stop_ms`.
  void Call(std::int64_t at_ms, std::function<void()> then, std::int64_t stop_ms) {
    if (then) h.rt.After(at_ms, std::move(then));
    h.rt.After(stop_ms, [this] { h.console.st.StopReceive = true; });
    lnk::StartModemCall(h.console);
  }

  testkit::ConsoleHarness h;
  testkit::SiteRow row;  // North, customer 1234
  std::int32_t site_id = 0;
};

TEST_F(ModemSession, TextUnitDumpsAndReportsStatusThenHangsUp) {
  testkit::SimulatedSite site(h, sim::UnitConfig{.firmware = 32116});
  site.AttachSerial(/*modem=*/true);
  bool seen_status = false;
  Call(60000, [&] {
    auto& install = h.console.Get<unit::frmInstall>();
    seen_status = h.console.st.Online && !install.txtBattVolts.Text().empty() &&
                  install.txtBattVolts.Text() != "---" && h.console.st.CmdState == 0;
    lnk::Disconnect(h.console);
  }, 90000);
  EXPECT_TRUE(seen_status);
  EXPECT_EQ(h.console.param.FirmwareVersion, 32116);
  EXPECT_FALSE(h.console.st.Online);
  std::string log = testkit::SiteField(h.console, site_id, "ConnectLog");
  EXPECT_NE(log.find("Session start: "), std::string::npos);
  EXPECT_NE(log.find("Retrieving EEPROM data..."), std::string::npos);
  EXPECT_NE(log.find("Disconnecting..."), std::string::npos);
  std::string written = h.serial.AllWritten();
  EXPECT_NE(written.find("AT&F1S0=0\r"), std::string::npos);
  EXPECT_NE(written.find("ATDT5550100\r"), std::string::npos);
  EXPECT_NE(written.find("+++"), std::string::npos);
  EXPECT_NE(written.find("ATH0\r"), std::string::npos);
}

TEST_F(ModemSession, OnlineWindowNamesTheCustomerAndTheSite) {
  testkit::SimulatedSite site(h, {});
  site.AttachSerial(/*modem=*/true);
  Call(0, nullptr, 100);
  auto& progress = h.console.Get<app::frmProgress>();
  EXPECT_EQ(progress.txtName.Text(), "1234(North)");
  EXPECT_EQ(progress.Caption(), "North");
}

TEST_F(ModemSession, PortLeftOpenByAnEarlierCallDialsAtOnce) {
  testkit::SimulatedSite site(h, {});
  site.AttachSerial(/*modem=*/true);
  Call(40000, [this] { lnk::Disconnect(h.console); }, 50000);
  ASSERT_TRUE(h.serial.PortOpen());  // a modem hang-up keeps the port
  h.serial.ClearWrites();
  Call(0, nullptr, 1000);
  EXPECT_EQ(h.serial.AllWritten().rfind("ATDT5550100\r", 0), 0u) << "no modem init first";
  EXPECT_EQ(h.serial.OpenCount(), 1);
}

TEST_F(ModemSession, CableSessionEndsWithoutEscapeOrHangUpAndClosesItsPort) {
  h.serial.SetPortOpen(true);
  h.console.st.DirectCable = true;
  h.console.st.Online = true;
  lnk::Disconnect(h.console);
  EXPECT_FALSE(h.serial.PortOpen());
  EXPECT_FALSE(h.console.st.DirectCable);
  EXPECT_FALSE(h.console.st.Online);
  EXPECT_TRUE(h.serial.Writes().empty());
}

// The session's alarm flags go to the site's row when it ends, with the
// colour they call for, whichever Disconnect the operator uses; the status
// line then reads "Disconnected".
TEST_F(ModemSession, SessionEndStoresItsAlarmFlagsWithTheirColour) {
  struct Case {
    const char* flags;
    const char* colour;
  };
  const Case cases[] = {{"0000000000000000", "0"}, {"0000000000000001", "2"}, {"1000000000000000", "2"}};
  auto& main = h.console.Get<app::frmMain>();
  auto& progress = h.console.Get<app::frmProgress>();
  for (bool menu : {false, true}) {
    for (const Case& k : cases) {
      h.console.Db.Execute("UPDATE tSites SET Alarms='0100000100000000', SiteColor=2");
      h.serial.SetPortOpen(true);
      h.console.st.Online = true;
      h.console.st.AlarmFlags = k.flags;
      menu ? main.mnuDisconnect.Choose() : progress.cmdDisconnect.Click();
      h.Run(1);
      EXPECT_EQ(testkit::SiteField(h.console, site_id, "Alarms") + " " +
                    testkit::SiteField(h.console, site_id, "SiteColor"),
                std::string(k.flags) + " " + k.colour)
          << (menu ? "menu" : "online window");
      EXPECT_EQ(main.StatusText() + "|" + progress.txtStatus.Text(), "Disconnected|Disconnected");
    }
  }
}

// Setting the modem up to answer after a network session listens to the
// modem on the serial port: its "OK" is heard and the set-up ends quietly.
TEST_F(ModemSession, AutoAnswerSetUpAfterANetworkSessionHearsTheModem) {
  testkit::SimulatedSite site(h, {});
  site.AttachSerial(/*modem=*/true);
  h.console.st.UseTcp = true;
  h.console.Get<app::frmMain>().mnuOptionsAnswer.Checked = true;
  h.rt.After(10'000, [this] { h.console.st.StopReceive = true; });
  lnk::InitModem(h.console);
  EXPECT_EQ(site.Modem()->CommandLines().back(), "AT&F1S0=2");
  EXPECT_EQ(h.console.IfLoaded<app::frmReadout>(), nullptr) << "the modem's OK was not heard";
  EXPECT_EQ(h.console.st.CmdState, 0);
  EXPECT_TRUE(h.tcp.Writes().empty());
}

// The operator hangs up just before the receive loop's long deadline (60 s
// after it last heard anything) passes: the hang-up still goes out whole,
// as the deadline counts from the command, not from before it.
TEST_F(ModemSession, HangUpGoesOutWholeWhenTheLoopsDeadlinePassesDuringIt) {
  h.serial.SetPortOpen(true);
  h.console.st.Online = true;
  h.rt.After(59'000, [this] { lnk::Disconnect(h.console); });
  h.rt.After(70'000, [this] { h.console.st.StopReceive = true; });
  lnk::ReceiveLoop(h.console);
  EXPECT_EQ(h.serial.AllWritten(), "+++ATH0\r");
}

class ModemSessionBeforeMidnight : public ModemSession {
 protected:
  ModemSessionBeforeMidnight() : ModemSession(vb::MakeDateTime(2026, 3, 2, 23, 59, 57)) {}
};

TEST_F(ModemSessionBeforeMidnight, HangUpOneSecondBeforeMidnightWaitsItsOneAndAHalfSeconds) {
  // Start-up took 2 s: it is 23:59:59 now.
  h.serial.SetPortOpen(true);
  h.console.st.Online = true;
  vb::DateTime before = h.rt.Now();
  lnk::Disconnect(h.console);
  EXPECT_EQ(h.rt.Now() - before, 1500);
  EXPECT_EQ(vb::Day(h.rt.Now()), 3);
  EXPECT_EQ(h.console.st.CmdState, lnk::kHangUp);
}

}  // namespace
