// The "V" status line: equalisation, ampere-hour counters, state of charge,
// load hours and the Update buttons' colour.
#include <gtest/gtest.h>

#include <string>

#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/reply_state_machine.h"
#include "link/status_parsers.h"
#include "reference_crc16.h"
#include "unit/frm_install.h"

namespace {

constexpr int kOtherFirmware = 32116;
constexpr int kSocFirmware = 40100;

class VReply : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
    h.console.param.FirmwareVersion = kOtherFirmware;
  }
  void Parse(const std::string& line) {
    h.console.st.RxBuffer = line;
    lnk::ParseVReply(h.console);
  }
  // A U line that leaves the given load current (tenths) on the screen.
  void LoadCurrent(const std::string& tenths) {
    h.console.st.RxBuffer = "U 26/03/02 5 10:04:07 1 1324 123 " + tenths + " 25 31 0 0 7";
    lnk::ParseUReply(h.console);
  }
  void Capacity(const std::string& text) { Inst().txtProp[25].Text = text; }
  unit::frmInstall& Inst() { return h.console.Get<unit::frmInstall>(); }
  app::frmProgress& Prog() { return h.console.Get<app::frmProgress>(); }

  testkit::ConsoleHarness h;
};

TEST_F(VReply, EqualisationFlagSetsLampAndState) {
  Parse("V 1 2 0 4 5 5000 100 200");
  EXPECT_EQ(Inst().imgEQU.Picture(), Inst().imgGreenOff.Picture());
  EXPECT_EQ(Inst().lblEqState.Caption(), "Off");
  Parse("V 1 2 3 4 5 5000 100 200");
  EXPECT_EQ(Inst().imgEQU.Picture(), Inst().imgGreenOn.Picture());
  EXPECT_EQ(Inst().lblEqState.Caption(), "Next HVD");
  Parse("V 1 2");  // a missing flag reads as 0
  EXPECT_EQ(Inst().lblEqState.Caption(), "Off");
}

TEST_F(VReply, AmpHourCountersCrossOverOnTheOnlineWindow) {
  Parse("V 1 2 0 4 5 5000 12345 6789");
  EXPECT_EQ(Inst().txtAHnet.Text(), "50.00");
  EXPECT_EQ(Prog().txtAHnet.Text(), "50.00");
  EXPECT_EQ(Inst().txtAHin.Text(), "123.45");
  EXPECT_EQ(Inst().txtAHout.Text(), "67.89");
  EXPECT_EQ(Prog().txtAHout.Text(), "123.45") << "the PV AH box shows the AH in";
  EXPECT_EQ(Prog().txtAHin.Text(), "67.89") << "the load AH box shows the AH out";
}

TEST_F(VReply, StateOfChargeIsNetAmpHoursOverCapacity) {
  Capacity("200");
  Parse("V 1 2 0 4 5 5000 100 200");
  EXPECT_EQ(Inst().txtSOC.Text(), "25.00");
  EXPECT_EQ(Prog().txtSOC.Text(), "25.00");

  // Hundredths of a percent are cut off, not rounded: 33.3333... -> 33.33.
  Capacity("300");
  Parse("V 1 2 0 4 5 10000 100 200");
  EXPECT_EQ(Inst().txtSOC.Text(), "33.33");
}

TEST_F(VReply, StateOfChargeStaysWithoutCapacityOrOnFirmware40100) {
  Capacity("200");
  Parse("V 1 2 0 4 5 5000 100 200");
  Capacity("0");
  Parse("V 1 2 0 4 5 9000 100 200");
  EXPECT_EQ(Inst().txtSOC.Text(), "25.00");

  Capacity("200");
  h.console.param.FirmwareVersion = kSocFirmware;  // it sends its own on the U line
  Parse("V 1 2 0 4 5 9000 100 200");
  EXPECT_EQ(Inst().txtSOC.Text(), "25.00");
  EXPECT_EQ(Prog().txtSOC.Text(), "25.00");
}

TEST_F(VReply, LoadHoursAreNetAmpHoursOverLoadCurrent) {
  Capacity("200");
  LoadCurrent("20");  // 2.0 A
  Parse("V 1 2 0 4 5 5000 100 200");
  EXPECT_EQ(Inst().txtLoadHours.Text(), "25");

  LoadCurrent("30");  // 3.0 A: 16.666... h cut to 16.66
  Parse("V 1 2 0 4 5 5000 100 200");
  EXPECT_EQ(Inst().txtLoadHours.Text(), "16.66");

  LoadCurrent("0");
  Parse("V 1 2 0 4 5 5000 100 200");
  EXPECT_EQ(Inst().txtLoadHours.Text(), "No Load");
}

// A checked "V" reply is read without its check digits, whether or not the
// unit puts a blank before them.
TEST_F(VReply, CheckedReplyIsReadWithoutItsCheckDigits) {
  for (const char* text : {"V 1 2 0 4 5 5000 12345 2210 ", "V 1 2 0 4 5 5000 12345 2210"}) {
    h.console.st.CmdState = lnk::kStatusV;
    h.console.st.RxBuffer = testkit::CheckedLine(text) + "\n\r";
    lnk::ProcessReply(h.console);
    EXPECT_EQ(Inst().txtAHout.Text(), "22.10") << text;
  }
}

TEST_F(VReply, UpdateButtonsLeaveTheirBusyColour) {
  Prog().cmdUpdate.BackColor = app::kUpdateBusyColor;
  Inst().cmdUpdate.BackColor = app::kUpdateBusyColor;
  Parse("V 1 2 0 4 5 5000 100 200");
  EXPECT_EQ(Prog().cmdUpdate.BackColor(), 0x8000000Au);
  EXPECT_EQ(Inst().cmdUpdate.BackColor(), 0x8000000Au);
}

}  // namespace
