// The link engine's roads against the simulated unit and modem, on virtual
// time: the dump forms and dialects, the status checks, the repeats and
// their limits, the failed calls and the hang-up.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/frm_message.h"
#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "link/reply_state_machine.h"
#include "simulated_site.h"
#include "site_rows.h"
#include "unit/frm_install.h"
#include "unit/parameter_writes.h"

namespace {

using sim::Dialect;
using sim::DialOutcome;

class LinkRoads : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    h.rt.Operator().AllowMsgBox("~Data boundary error(s):");
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  void Begin(sim::UnitConfig unit, sim::ModemConfig modem = {}) {
    ASSERT_TRUE(h.Start());
    site_id = testkit::AddSite(h.console, row);
    testkit::SelectSite(h.console, site_id, row);
    h.console.cmd.Cmd[lnk::kDial] = "ATDT5550100\r";
    site = std::make_unique<testkit::SimulatedSite>(h, unit);
    site->AttachSerial(/*modem=*/true, modem);
  }
  // Calls; `then` runs at at_ms after the call began; the loop stops at stop_ms.
  void Call(std::int64_t at_ms, std::function<void()> then, std::int64_t stop_ms) {
    t0 = h.rt.Now();
    if (then) h.rt.After(at_ms, std::move(then));
    h.rt.After(stop_ms, [this] { h.console.st.StopReceive = true; });
    lnk::StartModemCall(h.console);
  }
  std::string Log() { return h.console.Get<app::frmProgress>().txtLog.Text(); }
  std::int64_t Count(const std::string& what) {
    std::string all = h.serial.AllWritten();
    std::int64_t n = 0;
    for (size_t at = all.find(what); at != std::string::npos; at = all.find(what, at + 1)) ++n;
    return n;
  }

  testkit::ConsoleHarness h;
  testkit::SiteRow row;
  std::int32_t site_id = 0;
  std::unique_ptr<testkit::SimulatedSite> site;
  vb::DateTime t0;
};

TEST_F(LinkRoads, CheckedDumpAndCheckedStatusLinesFromNewFirmware) {
  Begin({.firmware = 32116});
  Call(60000, nullptr, 60000);
  EXPECT_EQ(h.console.param.FirmwareVersion, 32116);
  EXPECT_FALSE(h.console.param.DumpIncomplete);
  EXPECT_FALSE(h.console.st.UStatusText.empty());
  EXPECT_EQ(h.console.st.CmdState, 0);
  EXPECT_EQ(Count("U"), 1);
  EXPECT_EQ(Count("V"), 1);
}

TEST_F(LinkRoads, OldFirmwareSendsPlainLinesWithoutChecks) {
  Begin({.firmware = 30100});
  Call(60000, nullptr, 60000);
  EXPECT_EQ(h.console.param.FirmwareVersion, 30100);
  EXPECT_NE(h.console.Get<unit::frmInstall>().txtBattVolts.Text(), "");
  EXPECT_EQ(Count("U"), 1);
}

TEST_F(LinkRoads, TextDumpAnsweredInBinarySwitchesToV4) {
  Begin({.dialect = Dialect::kV4, .firmware = 40100});
  Call(60000, nullptr, 60000);
  EXPECT_TRUE(h.console.st.V4Mode);
  EXPECT_EQ(h.console.st.EepromImage, "(Data)");
  EXPECT_EQ(h.console.param.FirmwareVersion, 40100);
  EXPECT_TRUE(h.console.Get<unit::frmInstall>().Visible());  // the Status page opens
}

TEST_F(LinkRoads, StatusLineFailingItsCheckThreeTimesIsReportedAndVStillFollows) {
  Begin({.firmware = 32116});
  h.rt.Operator().ExpectMsgBox("Error receiving Status (U)");
  // The dump passes, then the first U and its three repeats are spoilt.
  h.rt.After(25000, [this] { site->Unit().Faults().bad_crc_replies = 4; });
  Call(120000, nullptr, 120000);
  EXPECT_EQ(Count("U"), 4);
  EXPECT_EQ(Count("V"), 1);
}

TEST_F(LinkRoads, DumpWithAHoleIsAskedForThreeTimesThenShownAsItIs) {
  Begin({.firmware = 30100});
  site->Unit().Faults().missing_dump_addresses[200] = -1;
  h.rt.Operator().ExpectMsgBox("Error retrieving EEPROM data.", ui::vbOK, "VKX-4700");
  Call(200000, nullptr, 200000);
  std::string all = h.serial.AllWritten();
  std::int64_t dumps = 0;
  for (size_t at = all.find("D\r"); at != std::string::npos; at = all.find("D\r", at + 1)) ++dumps;
  EXPECT_EQ(dumps, 4);
  EXPECT_TRUE(h.console.param.DumpIncomplete);
  EXPECT_EQ(Count("U"), 1);  // the status follows the partial image
}

TEST_F(LinkRoads, V4DumpFailingFiveTimesGivesUp) {
  Begin({.dialect = Dialect::kV4, .firmware = 40100});
  site->Unit().Faults().bad_crc_replies = -1;
  h.rt.Operator().ExpectMsgBox("EEPROM download failed on 5 retries.");
  Call(200000, nullptr, 200000);
  EXPECT_FALSE(h.console.Get<unit::frmInstall>().cmdUpdate.Enabled());
  EXPECT_EQ(h.console.st.CmdState, 0);
}

TEST_F(LinkRoads, BusyLineMarksTheSiteAndStoresTheLog) {
  Begin({}, {.outcome = DialOutcome::kBusy});
  Call(30000, nullptr, 30000);
  EXPECT_NE(Log().find("BUSY"), std::string::npos);
  EXPECT_EQ(testkit::SiteField(h.console, site_id, "SiteColor"), "1");
  EXPECT_NE(testkit::SiteField(h.console, site_id, "ConnectLog").find("BUSY"), std::string::npos);
  EXPECT_FALSE(h.console.Get<app::frmProgress>().Visible());
  EXPECT_EQ(h.console.Get<app::frmMain>().StatusText(), "Disconnected");
  EXPECT_FALSE(h.console.st.Online);
}

TEST_F(LinkRoads, UnansweredCallTimesOutAfter65sAndHangsUp) {
  Begin({}, {.outcome = DialOutcome::kNoAnswer});
  Call(150000, nullptr, 150000);
  EXPECT_NE(Log().find("No answer."), std::string::npos);
  EXPECT_EQ(testkit::SiteField(h.console, site_id, "SiteColor"), "1");
  EXPECT_NE(testkit::SiteField(h.console, site_id, "ConnectLog").find("No answer."),
            std::string::npos);
  EXPECT_EQ(Count("+++"), 1);
  EXPECT_EQ(Count("ATH0\r"), 1);
}

TEST_F(LinkRoads, CarrierLostWithoutEchoEndsTheLoopWithConnectFailed) {
  h.SetSetting("ModemInit", "AT&F1E0S0=0");
  Begin({}, {.outcome = DialOutcome::kNoCarrier});
  Call(200000, nullptr, 200000);
  EXPECT_NE(Log().find("Connect failed."), std::string::npos);
  EXPECT_LT(h.rt.Now() - t0, 200000);  // the loop ended by itself
  EXPECT_FALSE(h.console.st.Online);
}

TEST_F(LinkRoads, EchoThenNoCarrierFailsTheCallInsteadOfWaitingForever) {
  Begin({}, {.outcome = DialOutcome::kNoCarrier});
  Call(200000, nullptr, 200000);
  EXPECT_NE(Log().find("Connect failed."), std::string::npos);
  EXPECT_LT(h.rt.Now() - t0, 120000);
}

// What the modem prints on the way to "CONNECT" keeps the call waiting, its
// no-answer time-out keeping the end the dial gave it; only a final result
// fails the call.
TEST_F(LinkRoads, DialFailsOnlyOnTheModemsFinalAnswer) {
  ASSERT_TRUE(h.Start());
  auto& st = h.console.st;
  auto& timeout = h.console.Get<app::frmMain>().tmrError;
  const auto failed = [&](const char* reply) {
    st.CmdState = lnk::kDial;
    st.StopReceive = false;
    st.RxBuffer = reply;
    timeout.Stop();  // as the loop does when data arrives
    lnk::ProcessReply(h.console);
    return st.StopReceive;
  };
  st.DialGiveUpMs = h.rt.SteadyMs() + 30000;
  const vb::DateTime due = h.rt.Now() + 30000;
  for (const char* waits : {"", "ATDT5550100\r\r\nRINGING\r\n",
                            "CARRIER 9600\r\nPROTOCOL: LAPM\r\nCOMPRESSION: V.42BIS\r\n",
                            "A\xD4" "D\xD4" "5550\xB1" "\r"}) {  // last: an echo garbled
    EXPECT_FALSE(failed(waits)) << waits;
    EXPECT_EQ(h.rt.DueTime(timeout), due) << waits;
    h.rt.RunFor(5000);
  }
  for (const char* fails : {"ATDT5550100\r\r\nNO CARRIER\r\n", "no answer\r\n", "NO DIALTONE\r\n",
                            "NO DIAL TONE\r\n", "ERROR\r\n"})
    EXPECT_TRUE(failed(fails) && st.CmdState == 0) << fails;
}

TEST_F(LinkRoads, HangUpSendsEscapeWaitsThenHangsUpAndStoresTheLog) {
  Begin({.firmware = 32116});
  vb::DateTime escape_at, hangup_at;
  Call(40000, [this] { lnk::Disconnect(h.console); }, 60000);
  for (const auto& w : h.serial.Writes()) {
    if (w.bytes == "+" && escape_at.ms == 0) escape_at = w.at;
    if (w.bytes == "\r" && escape_at.ms != 0) hangup_at = w.at;
  }
  // "+++" paced over 100 ms, then 1.5 s, then "ATH0" CR paced over 200 ms.
  EXPECT_EQ(hangup_at - escape_at, 100 + 1400 + 200);
  EXPECT_NE(testkit::SiteField(h.console, site_id, "ConnectLog").find("Disconnecting..."),
            std::string::npos);
  EXPECT_TRUE(h.console.st.ControlsLocked && h.console.st.InstallLocked &&
              h.console.st.FactoryLocked);
  EXPECT_EQ(h.console.Get<app::frmMain>().tbToolBar.Buttons("Connect")->Caption(), "Connect");
}

TEST_F(LinkRoads, ThreeByteTextWriteGoesOneCommandPerByteThenNotifies) {
  Begin({.firmware = 30100});
  Call(40000, [this] {
    h.console.st.WriteData = std::string("\x05\x06\x07", 3);
    h.console.st.WriteAddress = 7;
    unit::SendSetParameter(h.console);
  }, 60000);
  std::string all = h.serial.AllWritten();
  EXPECT_NE(all.find("Ss007005"), std::string::npos);
  EXPECT_NE(all.find("Ss008006"), std::string::npos);
  EXPECT_NE(all.find("Ss009007"), std::string::npos);
  EXPECT_EQ(site->Unit().Memory(7), 5);
  EXPECT_EQ(site->Unit().Memory(9), 7);
  EXPECT_EQ(h.rt.BeepCount(), 1);  // the success notice
}

}  // namespace
