// The "U" status line into the installation screen and the online window.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/status_parsers.h"
#include "unit/frm_install.h"

namespace {

constexpr int kOtherFirmware = 32116;
constexpr int kSocFirmware = 40100;
const std::string kDegrees = " \xBA" "C";

class UReply : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void Parse(const std::string& line, int firmware = kOtherFirmware) {
    h.console.param.FirmwareVersion = firmware;
    h.console.st.RxBuffer = line;
    lnk::ParseUReply(h.console);
  }
  unit::frmInstall& Inst() { return h.console.Get<unit::frmInstall>(); }
  app::frmProgress& Prog() { return h.console.Get<app::frmProgress>(); }
  std::array<int, 7> Spinners() {
    std::array<int, 7> v{};
    for (int i = 0; i < 7; ++i) v[static_cast<size_t>(i)] = Inst().udDate[i].Value();
    return v;
  }

  testkit::ConsoleHarness h;
};

TEST_F(UReply, FillsClockMeasurementsAndTemperaturesOnBothWindows) {
  Parse("U 26/03/02 5 10:04:07 1 1324 123 45 25 -3 0 0 7");

  EXPECT_EQ(Inst().txtStatusDate.Text(), "26 / 03 / 02");
  EXPECT_EQ(Prog().txtDate.Text(), "26 / 03 / 02");
  EXPECT_EQ(Inst().txtTime.Text(), "10 : 04 : 07");
  EXPECT_EQ(Prog().txtTime.Text(), "10 : 04 : 07");
  EXPECT_EQ(Inst().txtBattVolts.Text(), "13.24");
  EXPECT_EQ(Prog().txtVoltsBatt.Text(), "13.24");
  EXPECT_EQ(Inst().txtCurrentPV.Text(), "12.3");
  EXPECT_EQ(Prog().txtCurrentPV.Text(), "12.3");
  EXPECT_EQ(Inst().txtCurrentLoad.Text(), "4.5");
  EXPECT_EQ(Prog().txtCurrentLoad.Text(), "4.5");
  EXPECT_EQ(Prog().txtAmpsNet.Text(), "7.8");
  EXPECT_EQ(Inst().txtAmpsNet.Text(), "7.8");
  EXPECT_EQ(Inst().txtTempBatt.Text(), "25" + kDegrees);
  EXPECT_EQ(Prog().txtTempBatt.Text(), "25" + kDegrees);
  EXPECT_EQ(Inst().txtTempUnit.Text(), "-3" + kDegrees);
  EXPECT_EQ(Prog().txtTempController.Text(), "-3" + kDegrees);
  // Other firmware sends no state of charge: the trailing 7 is not one.
  EXPECT_EQ(Prog().txtSOC.Text(), "---");
}

TEST_F(UReply, Firmware40100ReadsCurrentsInHundredthsAndTheStateOfCharge) {
  Parse("U 26 03 02 0 10 04 07 1 1324 1234 567 25 31 0 0 0 8550", kSocFirmware);
  EXPECT_EQ(Inst().txtCurrentPV.Text(), "12.34");
  EXPECT_EQ(Inst().txtCurrentLoad.Text(), "5.67");
  EXPECT_EQ(Prog().txtAmpsNet.Text(), "6.67");
  EXPECT_EQ(Inst().txtSOC.Text(), "85.50");
  EXPECT_EQ(Prog().txtSOC.Text(), "85.50");

  Parse("U 26 03 02 0 10 04 07 1 1324 123 45 25 31 0 0 0 8550");
  EXPECT_EQ(Inst().txtCurrentPV.Text(), "12.3");
  EXPECT_EQ(Inst().txtCurrentLoad.Text(), "4.5");
  EXPECT_EQ(Inst().txtSOC.Text(), "85.50") << "other firmware leaves the state of charge alone";
}

TEST_F(UReply, ClockFieldsGoIntoTheSpinnersAndTheShadow) {
  Parse("U 26/03/02 5 10:04:07 1 1324 123 45 25 31 0 0 7");
  EXPECT_EQ(Spinners(), (std::array<int, 7>{26, 3, 2, 10, 4, 7, 1}));
  EXPECT_EQ(h.console.param.DateShadow, (std::array<int, 7>{26, 3, 2, 10, 4, 7, 1}));
  EXPECT_EQ(Inst().txtDate[0].Text(), "26");
  EXPECT_EQ(Inst().txtDate[1].Text(), "03");
  EXPECT_EQ(Inst().txtDate[5].Text(), "07");
  EXPECT_EQ(Inst().txtDay.Text(), "Mon");
}

TEST_F(UReply, AFieldOutOfRangeShowsItsNumberAndLeavesItsSpinner) {
  Parse("U 26/03/02 5 10:04:07 1 1324 123 45 25 31 0 0 7");
  Parse("U 26/13/02 5 24:04:60 9 1324 123 45 25 31 0 0 7");
  EXPECT_EQ(Spinners(), (std::array<int, 7>{26, 3, 2, 10, 4, 7, 1}));
  EXPECT_EQ(h.console.param.DateShadow, (std::array<int, 7>{26, 3, 2, 10, 4, 7, 1}));
  EXPECT_EQ(Inst().txtDate[1].Text(), "13");
  EXPECT_EQ(Inst().txtDate[3].Text(), "24");
  EXPECT_EQ(Inst().txtDate[5].Text(), "60");
  EXPECT_EQ(Inst().txtDay.Text(), "9") << "an impossible weekday stays visible as its number";

  // The same good values again: the spinners do not move, the texts recover.
  Parse("U 26/03/02 5 10:04:07 1 1324 123 45 25 31 0 0 7");
  EXPECT_EQ(Inst().txtDate[1].Text(), "03");
  EXPECT_EQ(Inst().txtDate[3].Text(), "10");
  EXPECT_EQ(Inst().txtDate[5].Text(), "07");
  EXPECT_EQ(Inst().txtDay.Text(), "Mon");
}

TEST_F(UReply, TheDateIsSplitByPositionSoFieldsNeedTwoDigits) {
  // "6 / 3 / 2": characters 6-7 are " /", which reads as month 0.
  Parse("U 6/3/2 5 10:04:07 1 1324 123 45 25 31 0 0 7");
  EXPECT_EQ(Inst().udDate[0].Value(), 6);
  EXPECT_EQ(Inst().txtDate[1].Text(), "0");
  EXPECT_EQ(Inst().udDate[2].Value(), 2);
}

TEST_F(UReply, RelayBitsLightGreenWhenClearAndAlarmBitsRedWhenSet) {
  const ui::Picture green_on = ui::Picture::Named("GreenOn");
  const ui::Picture green_off = ui::Picture::Named("GreenOff");
  const ui::Picture red_on = ui::Picture::Named("RedOn");
  const ui::Picture red_off = ui::Picture::Named("RedOff");

  Parse("U 26/03/02 5 10:04:07 1 1324 123 45 25 31 0 32 7");
  for (const ui::Image* lamp : {&Inst().imgPV1, &Inst().imgLoad1, &Inst().imgPV2, &Prog().imgPV1,
                                &Prog().imgLoad1, &Prog().imgPV2})
    EXPECT_EQ(lamp->Picture(), green_on) << lamp->Name();
  EXPECT_EQ(Inst().imgHVA.Picture(), red_off);
  EXPECT_EQ(Inst().imgLVA.Picture(), red_off);
  EXPECT_EQ(Inst().imgGEN.Picture(), green_on);

  Parse("U 26/03/02 5 10:04:07 1 1324 123 45 25 31 248 0 7");
  for (const ui::Image* lamp : {&Inst().imgPV1, &Inst().imgLoad1, &Inst().imgPV2, &Prog().imgPV1,
                                &Prog().imgLoad1, &Prog().imgPV2})
    EXPECT_EQ(lamp->Picture(), green_off) << lamp->Name();
  EXPECT_EQ(Inst().imgHVA.Picture(), red_on);
  EXPECT_EQ(Inst().imgLVA.Picture(), red_on);
  EXPECT_EQ(Inst().imgGEN.Picture(), green_off);

  // Each bit drives its own lamp: 8 is PV 1 only, 64 the low-voltage alarm only.
  Parse("U 26/03/02 5 10:04:07 1 1324 123 45 25 31 72 0 7");
  EXPECT_EQ(Inst().imgPV1.Picture(), green_off);
  EXPECT_EQ(Inst().imgLoad1.Picture(), green_on);
  EXPECT_EQ(Inst().imgPV2.Picture(), green_on);
  EXPECT_EQ(Inst().imgHVA.Picture(), red_off);
  EXPECT_EQ(Inst().imgLVA.Picture(), red_on);
}

TEST_F(UReply, MissingNumbersShowAsDashesAndReadAsZero) {
  Parse("U");
  EXPECT_EQ(Inst().txtStatusDate.Text(), "--- / --- / ---");
  EXPECT_EQ(Inst().txtTime.Text(), "--- : --- : ---");
  EXPECT_EQ(Inst().txtBattVolts.Text(), "---");
  EXPECT_EQ(Inst().txtCurrentPV.Text(), "0.0");
  EXPECT_EQ(Inst().txtCurrentLoad.Text(), "0.0");
  EXPECT_EQ(Prog().txtAmpsNet.Text(), "0");
  EXPECT_EQ(Prog().txtTempBatt.Text(), "---" + kDegrees);
  EXPECT_EQ(Inst().imgPV1.Picture(), ui::Picture::Named("GreenOn"));
  EXPECT_EQ(Inst().imgHVA.Picture(), ui::Picture::Named("RedOff"));

  Parse("U", kSocFirmware);
  EXPECT_EQ(Inst().txtCurrentPV.Text(), "0.00");
  EXPECT_EQ(Inst().txtSOC.Text(), "---");
}

TEST_F(UReply, DrawsTheThreeGaugesFromTheOnlineWindowsBoxes) {
  Parse("U 26/03/02 5 10:04:07 1 1324 123 45 25 -30 0 0 7");
  // 13.24 V on 60,54,36,0: the three dark zones and blue up to the value.
  const auto volts = Prog().picVoltsBatt.Drawing().OfKind<ui::DrawBox>();
  ASSERT_EQ(volts.size(), 4u);
  EXPECT_DOUBLE_EQ(volts[3].y1, 840 + 1785 * (60 - 13.24) / 60);
  // 25 ºC on 60,40,0,-20: yellow from y(0) up to the value, then blue below.
  EXPECT_EQ(Prog().picTempBatt.Drawing().OfKind<ui::DrawBox>().size(), 5u);
  // -30 ºC lights nothing.
  EXPECT_EQ(Prog().picTempCont.Drawing().OfKind<ui::DrawBox>().size(), 3u);
}

}  // namespace
