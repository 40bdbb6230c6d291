// The simulated site wired to a whole console on virtual time: the console's
// own sender, receive loop and reply handling against the simulator's
// serial and network adapters.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "link/receive_loop.h"
#include "link/v4_link.h"
#include "simulated_site.h"
#include "unit/frm_install.h"

namespace {

class SimConsoleLink : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  // Runs the console's receive loop for ms of virtual time.
  void ReceiveFor(std::int64_t ms) {
    h.rt.After(ms, [this] { h.console.st.StopReceive = true; });
    lnk::ReceiveLoop(h.console);
  }
  void Start(int command) {
    h.console.st.CmdState = command;
    h.console.st.AutoNext = false;
    h.console.st.RetryCount = 0;
    h.console.st.V4RetryCount = 0;
  }

  testkit::ConsoleHarness h;
};

TEST_F(SimConsoleLink, TextUnitOnACableGivesTheConsoleAWholeDumpAfterOneMissingAddress) {
  testkit::SimulatedSite site(h, sim::UnitConfig{.firmware = 30100});
  site.Unit().Faults().missing_dump_addresses[200] = 1;
  site.AttachSerial(/*modem=*/false);
  h.serial.SetPortOpen(true);

  Start(lnk::kDump);
  lnk::SendCommand(h.console);
  ReceiveFor(60'000);

  // Asked twice (the first answer lacked 200), then "U" and "V".
  EXPECT_EQ(site.Unit().Commands(), (std::vector<std::string>{"D", "D", "U", "V"}));
  EXPECT_FALSE(h.console.param.DumpIncomplete);
  for (int a = 0; a <= 255; ++a)
    ASSERT_EQ(h.console.param.Eeprom[static_cast<std::size_t>(a)], site.Unit().Memory(a)) << a;
  EXPECT_EQ(h.console.param.FirmwareVersion, 30100);
  EXPECT_EQ(h.console.Get<unit::frmInstall>().txtBattVolts.Text(), "52.80");
}

TEST_F(SimConsoleLink, V4UnitOverTheNetworkFillsTheImageAndTheStateOfCharge) {
  testkit::SimulatedSite site(h, sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = 40100, .address = 7});
  site.Unit().Faults().bad_crc_replies = 1;  // the console asks again
  site.AttachTcp();
  h.serial.SetPortOpen(true);  // the console sends nothing while it is closed
  h.console.st.UseTcp = true;
  h.console.st.V4Mode = true;
  h.console.st.UnitAddress = 7;
  h.tcp.Connect();
  h.rt.RunFor(100);

  Start(lnk::kV4Dump);
  lnk::SendV4Packet(h.console, 7, "D");
  ReceiveFor(20'000);

  EXPECT_EQ(site.Unit().Commands(), (std::vector<std::string>{"V4 D", "V4 D"}));
  for (int a = 0; a <= 274; ++a)
    ASSERT_EQ(h.console.param.Eeprom[static_cast<std::size_t>(a)], site.Unit().Memory(a)) << a;
  EXPECT_EQ(h.console.param.FirmwareVersion, 40100);
  EXPECT_EQ(h.console.Get<unit::frmInstall>().txtSOC.Text(), "80.00");
}

TEST_F(SimConsoleLink, AlarmCallInReachesTheConsolesAlarmHandling) {
  testkit::SimulatedSite site(h, sim::UnitConfig{.address = 12, .alarm_flags = "0100000100000000"});
  site.AttachSerial(/*modem=*/true);
  h.console.Get<app::frmMain>().mnuOptionsAnswer.Checked = true;  // answer at ring 2

  // Rings at 5 s and 11 s, CONNECT 3 s later, the report 1 s after that,
  // "NO CARRIER" 1 s after its end.
  bool report_collected = false, report_taken = false;
  h.rt.After(5000, [&] { EXPECT_TRUE(site.StartAlarmCall()); });
  h.rt.After(15'800, [&] {
    report_collected = h.console.st.RxText.find("Alarm Report") != std::string::npos;
  });
  h.rt.After(30'000, [&] {
    report_taken = h.console.st.RxText.find("Alarm Report") == std::string::npos;
    h.console.st.StopReceive = true;
  });
  lnk::InitModem(h.console);

  EXPECT_EQ(site.Modem()->CommandLines().front(), "AT&F1S0=2");
  EXPECT_EQ(site.Modem()->Register(0), 2);
  EXPECT_FALSE(site.Modem()->Carrier()) << "the unit hung up after its report";
  EXPECT_TRUE(report_collected);
  EXPECT_TRUE(report_taken) << "taken out of the console's buffer by its alarm handling";
}

}  // namespace
