// A saved text status snapshot shown as if the unit had just sent it, with
// the loader's own rules where it differs from the live status parsers.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/saved_status.h"
#include "sample_parameter_dump.h"
#include "unit/frm_install.h"

namespace {

class SavedStatus : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  app::frmProgress& Online() { return h.console.Get<app::frmProgress>(); }
  void Load(const testkit::ParameterValues& values, const std::string& u, const std::string& v) {
    h.console.st.EepromImage = testkit::SequentialDump(values);
    h.console.st.UStatusText = u;
    h.console.st.VStatusText = v;
    lnk::ParseFullStatus(h.console);
  }

  testkit::ConsoleHarness h;
  testkit::ParameterValues sample = testkit::SampleParameters();
  // year month day, -, hour minute second, weekday, volts, PV A, load A,
  // temperatures, relay bits, generator bits
  const std::string u_line = "U 26/03/02 0 14:05:09 1 5150 123 45 25 31 8 32 0";
  // -, -, equalise, -, -, AH net, AH in, AH out
  const std::string v_line = "V 0 0 1 0 0 5000 12000 7000";
};

TEST_F(SavedStatus, RebuildsTheImageAndShowsEveryParameter) {
  Load(sample, u_line, v_line);
  for (int a = 0; a <= 255; ++a) ASSERT_EQ(h.console.param.Eeprom[a], sample[a]) << a;
  unit::frmInstall& f = Screen();
  EXPECT_EQ(f.txtProp[27].Text(), "51.28");
  EXPECT_EQ(f.txtProp[13].Text(), " 90%");
  EXPECT_EQ(f.txtModemInit.Text(), "AT&FE0X0V0S0=2");
  EXPECT_EQ(h.console.param.ParamShadow[27], 170);
  EXPECT_FALSE(h.console.param.ParamLoadInProgress) << "the option pairs may send again";
}

TEST_F(SavedStatus, CurrentsAreTenthsShownAsPlainNumbers) {
  Load(sample, u_line, v_line);
  unit::frmInstall& f = Screen();
  EXPECT_EQ(f.txtCurrentPV.Text(), "12.3");
  EXPECT_EQ(f.txtCurrentLoad.Text(), "4.5");
  EXPECT_EQ(Online().txtCurrentPV.Text(), "12.3");
  EXPECT_EQ(f.txtAmpsNet.Text(), "7.8");

  Load(sample, "U 26/03/02 0 14:05:09 1 5150 120 0 25 31 8 32 0", v_line);
  EXPECT_EQ(f.txtCurrentPV.Text(), "12");
  EXPECT_EQ(f.txtCurrentLoad.Text(), "0");
  Load(sample, "U 26/03/02 0 14:05:09 1 5150", v_line);  // cut short
  EXPECT_EQ(f.txtCurrentPV.Text(), "0");
}

TEST_F(SavedStatus, StateOfChargeHasOneDecimalAtMost) {
  // The reference is the capacity on the screen before the file's
  // parameters are shown: none on a fresh screen.
  Screen().txtSOC.Text = "";
  Load(sample, u_line, v_line);
  EXPECT_EQ(Screen().txtSOC.Text(), "");
  Load(sample, u_line, v_line);  // 50 of 1234 AH
  EXPECT_EQ(Screen().txtSOC.Text(), "4");  // Int(40.5...) / 10

  sample[24] = 0;  // a capacity of 200 AH
  sample[25] = 200;
  Load(sample, u_line, v_line);
  Load(sample, u_line, v_line);
  EXPECT_EQ(Screen().txtSOC.Text(), "25");  // not 25.00
  EXPECT_EQ(Online().txtSOC.Text(), "25");
  Load(sample, u_line, "V 0 0 1 0 0 5125 12000 7000");
  EXPECT_EQ(Screen().txtSOC.Text(), "25.6");  // 25.625 cut to one decimal
}

TEST_F(SavedStatus, ClockSpinnersTakeOnlyValuesTheyCanHold) {
  unit::frmInstall& f = Screen();
  Load(sample, u_line, v_line);
  EXPECT_EQ(f.udDate[0].Value(), 26);
  EXPECT_EQ(f.udDate[1].Value(), 3);
  EXPECT_EQ(f.udDate[2].Value(), 2);
  EXPECT_EQ(f.udDate[3].Value(), 14);
  EXPECT_EQ(f.udDate[4].Value(), 5);
  EXPECT_EQ(f.udDate[5].Value(), 9);
  EXPECT_EQ(f.udDate[6].Value(), 1);
  EXPECT_EQ(f.txtDay.Text(), "Mon");
  EXPECT_EQ(h.console.param.DateShadow, (std::array<int, 7>{26, 3, 2, 14, 5, 9, 1}));

  Load(sample, "U 27/00/15 0 25:07:09 9 5150 123 45 25 31 8 32 0", v_line);
  EXPECT_EQ(f.udDate[1].Value(), 3) << "month 00 leaves the spinner";
  EXPECT_EQ(f.txtDate[1].Text(), "03");
  EXPECT_EQ(f.udDate[3].Value(), 14) << "hour 25 cannot be held";
  EXPECT_EQ(f.udDate[6].Value(), 1);
  EXPECT_EQ(f.txtDay.Text(), "Mon");
  EXPECT_EQ(f.udDate[0].Value(), 27);
  EXPECT_EQ(f.udDate[2].Value(), 15);
  EXPECT_EQ(f.txtStatusDate.Text(), "27 / 00 / 15") << "the saved text shows what was saved";
  EXPECT_EQ(f.txtTime.Text(), "25 : 07 : 09");
}

TEST_F(SavedStatus, LampsTemperaturesAndCountersFollowTheLiveRules) {
  Load(sample, u_line, v_line);
  unit::frmInstall& f = Screen();
  EXPECT_EQ(f.txtBattVolts.Text(), "51.50");
  EXPECT_EQ(f.txtTempBatt.Text(), "25 \xBA" "C");
  EXPECT_EQ(f.imgPV1.Picture(), f.imgGreenOff.Picture());  // bit 8 set
  EXPECT_EQ(f.imgLoad1.Picture(), f.imgGreenOn.Picture());
  EXPECT_EQ(f.imgGEN.Picture(), f.imgGreenOn.Picture());  // generator bit 32
  EXPECT_EQ(f.lblEqState.Caption(), "Next HVD");
  EXPECT_EQ(f.txtAHin.Text(), "120.00");
  EXPECT_EQ(Online().txtAHout.Text(), "120.00") << "crossed over on the online window";
  EXPECT_EQ(f.txtLoadHours.Text(), "11.11");
}

TEST_F(SavedStatus, SnapshotOfTheStateOfChargeFirmwareReadsItsOwnLayout) {
  // Taken from a 4.01.00 unit: currents in hundredths and a trailing state
  // of charge, whatever unit the screen showed before.
  testkit::ParameterValues values = testkit::SampleParameters(4, 1, 0);
  Load(values, "U 26/03/02 0 14:05:09 1 5150 1234 567 25 31 8 32 0 7525", "V 0 0 1 0 0 5000 12000 7000");
  unit::frmInstall& f = Screen();
  EXPECT_EQ(f.txtCurrentPV.Text(), "12.34");
  EXPECT_EQ(f.txtCurrentLoad.Text(), "5.67");
  EXPECT_EQ(f.txtSOC.Text(), "75.25") << "from the U line, not from the AH counter";
}

}  // namespace
