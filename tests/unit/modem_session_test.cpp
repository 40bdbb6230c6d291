// A modem call from the first command to the hang-up, against the simulated
// unit and modem, on virtual time.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "simulated_site.h"
#include "site_rows.h"
#include "unit/frm_install.h"

namespace {

class ModemSession : public ::testing::Test {
 protected:
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
    h.rt.After(at_ms, std::move(then));
    h.rt.After(stop_ms, [this] { h.console.st.StopReceive = true; });
    lnk::StartModemCall(h.console);
  }

  testkit::ConsoleHarness h;
  testkit::SiteRow row;
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

}  // namespace
