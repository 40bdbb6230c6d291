// Carrying a loaded image into the rows: range reports, the relabelled
// auxiliary relay, the modem init string, the battery capacity boxes, the
// battery-safe maintenance rows and the finish of a load.
#include <gtest/gtest.h>

#include <string>

#include "app/frm_progress.h"
#include "console_harness.h"
#include "dump_loader.h"
#include "gtest_operator.h"
#include "unit/frm_install.h"
#include "unit/parameter_loading.h"

namespace {

using testkit::ParameterValues;
using unit::CheckParameterValue;

class ParameterLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  std::string Text(int address) { return Screen().txtProp[address].Text(); }
  std::string Load(const ParameterValues& values) {
    return testkit::LoadTextDump(h.console, testkit::PlainDump(values));
  }
  // Rows 3, 4 and 5 as a load shows them before it reaches 227.
  void Version(int major, int minor, int build) {
    CheckParameterValue(h.console, 3, major);
    CheckParameterValue(h.console, 4, minor);
    CheckParameterValue(h.console, 5, build);
  }

  testkit::ConsoleHarness h;
  ParameterValues sample = testkit::SampleParameters();
};

TEST_F(ParameterLoading, ValueOutsideTheRowsRangeIsReportedAndShownRaw) {
  unit::frmInstall& f = Screen();
  CheckParameterValue(h.console, 19, 3);
  EXPECT_EQ(CheckParameterValue(h.console, 19, 9), "19 (1...4) = 9\r\n");
  EXPECT_EQ(Text(19), "9");
  EXPECT_EQ(f.udProp[19].Value(), 3);
  EXPECT_EQ(h.console.param.ParamShadow[19], 3);

  EXPECT_EQ(CheckParameterValue(h.console, 23, 2), "23 (0...1) = 2\r\n");
  EXPECT_EQ(CheckParameterValue(h.console, 13, 255), "");
  EXPECT_EQ(h.console.param.ParamShadow[13], 255);
  EXPECT_EQ(CheckParameterValue(h.console, 6, 999), "") << "skipped address";
  EXPECT_EQ(CheckParameterValue(h.console, 50, 999), "") << "skipped address";
}

TEST_F(ParameterLoading, ReportLinesAreGatheredIntoOneMessage) {
  sample[19] = 9;
  sample[29] = 3;
  h.rt.Operator().ExpectMsgBox("Data boundary error(s):\r\n19 (1...4) = 9\r\n29 (0...2) = 3\r\n",
                               ui::vbOK, "VKX-4700");
  EXPECT_EQ(Load(sample), "19 (1...4) = 9\r\n29 (0...2) = 3\r\n");
  testkit::ExpectScriptDone(h.rt);
  EXPECT_FALSE(h.console.param.ParamLoadInProgress);
}

TEST_F(ParameterLoading, CleanLoadShowsNoMessageAndOffersNoSendButton) {
  EXPECT_EQ(Load(sample), "");  // an unexpected message box would fail the test
  unit::frmInstall& f = Screen();
  for (auto& [address, send] : f.cmdProp) EXPECT_FALSE(send->Visible()) << "row " << address;
  EXPECT_EQ(h.console.param.ParamShadow[27], 170);
  EXPECT_EQ(Text(27), "51.28");
  EXPECT_EQ(Text(17), "5.00") << "drawn with the PV shunt, which is loaded after it";
}

TEST_F(ParameterLoading, EveryLoadedRowIsDrawnEvenWhenItsValueDidNotChange) {
  // Values equal to the fresh screen's spinners raise no Change.
  sample[13] = 0;
  sample[23] = 0;
  sample[4] = 0;
  ASSERT_EQ(Text(13), "");
  Load(sample);
  EXPECT_EQ(Text(13), " 0%");
  EXPECT_EQ(Text(23), "Voltage");
  EXPECT_EQ(Text(4), "0");
  EXPECT_EQ(Screen().txtMaxTemp.Text(), "45 \xBA" "C");
  EXPECT_EQ(Screen().txtMinTemp.Text(), "-5 \xBA" "C");
  EXPECT_EQ(Screen().txtNumInits.Text(), "7");
}

TEST_F(ParameterLoading, VariantPicksTheAuxiliaryRelayBlock) {
  unit::frmInstall& f = Screen();
  CheckParameterValue(h.console, 4, 14);
  EXPECT_EQ(f.Label27.Caption(), "CP");
  EXPECT_EQ(f.lblProp[19].Caption(), "Sec off");
  EXPECT_EQ(f.lblProp[20].Caption(), "Sec on");
  EXPECT_EQ(f.udProp[38].Tag(), "CPMODE");
  EXPECT_EQ(f.udProp[38].Max(), 1);
  EXPECT_EQ(f.udProp[39].Tag(), "X2");
  EXPECT_EQ(f.udProp[40].Tag(), "X2");
  EXPECT_EQ(f.lblRelay[17].Caption(), "CP");
  CheckParameterValue(h.console, 38, 0);
  EXPECT_EQ(Text(38), "On");
  EXPECT_EQ(CheckParameterValue(h.console, 38, 2), "38 (0...1) = 2\r\n");
  CheckParameterValue(h.console, 40, 45);
  EXPECT_EQ(Text(40), "90");

  CheckParameterValue(h.console, 4, 15);
  EXPECT_EQ(f.Label27.Caption(), "CEMF");
  EXPECT_EQ(f.lblProp[19].Caption(), "Voff");
  EXPECT_EQ(f.lblProp[20].Caption(), "Von");
  EXPECT_EQ(f.udProp[38].Tag(), "GENMODE");
  EXPECT_EQ(f.udProp[38].Max(), 2);
  EXPECT_EQ(f.lblRelay[17].Caption(), "CEMF");

  CheckParameterValue(h.console, 4, 18);
  EXPECT_EQ(f.Label27.Caption(), "Generator");
  EXPECT_EQ(f.lblProp[19].Caption(), "Von");
  EXPECT_EQ(f.lblRelay[17].Caption(), "GEN");
  EXPECT_EQ(f.udProp[40].Tag(), "V");
}

TEST_F(ParameterLoading, Version32116MakesAddress227AParameter) {
  unit::frmInstall& f = Screen();
  Version(3, 21, 16);
  CheckParameterValue(h.console, 227, 140);
  EXPECT_EQ(h.console.param.FirmwareVersion, 32116);
  EXPECT_EQ(f.udProp[227].Value(), 140);
  EXPECT_EQ(h.console.param.ParamShadow[227], 140);
  EXPECT_EQ(f.txtModemInit.Text(), "");
  CheckParameterValue(h.console, 228, 'A');
  CheckParameterValue(h.console, 229, 'T');
  EXPECT_EQ(f.txtModemInit.Text(), "AT");
  unit::ReportParameterBounds(h.console, "");
  EXPECT_FALSE(h.console.param.GenBattSafeMaint) << "variant 21 with major 3";
  EXPECT_FALSE(f.udProp[227].Visible());

  Version(3, 21, 15);  // older: 227 is the string's first character
  f.udProp[227].Value = 0;
  CheckParameterValue(h.console, 227, 'A');
  EXPECT_EQ(f.udProp[227].Value(), 0);
  EXPECT_EQ(f.txtModemInit.Text(), "A");

  Version(2, 20, 1);  // battery-safe maintenance units
  CheckParameterValue(h.console, 227, 140);
  EXPECT_EQ(f.txtModemInit.Text(), "");
  EXPECT_EQ(f.udProp[227].Value(), 140);
}

TEST_F(ParameterLoading, ModemInitStringTakesOnlyPrintableBytes) {
  unit::frmInstall& f = Screen();
  Version(3, 18, 2);
  const int bytes[] = {'A', 0, 'T', 200, '&', 128, 129};
  for (int i = 0; i < 7; ++i) CheckParameterValue(h.console, 227 + i, bytes[i]);
  EXPECT_EQ(f.txtModemInit.Text(), "AT&\x80");

  CheckParameterValue(h.console, 227, 0);  // an empty string in the unit
  EXPECT_EQ(f.txtModemInit.Text(), "");
  CheckParameterValue(h.console, 228, 'Z');
  EXPECT_EQ(f.txtModemInit.Text(), "Z");
}

TEST_F(ParameterLoading, WholeDumpShowsTheModemInitString) {
  Load(sample);
  EXPECT_EQ(Screen().txtModemInit.Text(), "AT&FE0X0V0S0=2");
  EXPECT_EQ(h.console.param.FirmwareVersion, 31802);
}

TEST_F(ParameterLoading, BatteryCapacityFillsTheHundredsAndUnitsBoxes) {
  unit::frmInstall& f = Screen();
  Load(sample);  // 4 * 256 + 210
  EXPECT_EQ(f.udAH1.Value(), 12);
  EXPECT_EQ(f.udAH2.Value(), 34);
  EXPECT_EQ(Text(25), "1234");

  sample[24] = 117;  // 30000
  sample[25] = 48;
  Load(sample);
  EXPECT_EQ(f.udAH1.Value(), 255);
  EXPECT_EQ(f.udAH2.Value(), 0);
}

TEST_F(ParameterLoading, GeneratorTimingRowsNeedVariant17OrV4) {
  unit::frmInstall& f = Screen();
  sample[4] = 16;
  Load(sample);
  for (int a : {62, 63, 64, 65}) EXPECT_FALSE(f.udProp[a].Visible()) << a;
  EXPECT_FALSE(f.lblProp[62].Visible());

  sample[4] = 17;
  Load(sample);
  for (int a : {62, 63, 64, 65}) {
    EXPECT_TRUE(f.udProp[a].Visible()) << a;
    EXPECT_TRUE(f.txtProp[a].Visible()) << a;
  }
  for (int label : {62, 13, 12, 17}) EXPECT_TRUE(f.lblProp[label].Visible()) << label;
  EXPECT_EQ(Text(62), "120");  // x30

  sample[4] = 16;
  h.console.st.V4Mode = true;
  Load(sample);
  EXPECT_TRUE(f.udProp[63].Visible());
}

TEST_F(ParameterLoading, BatterySafeMaintenanceRowsStayOnceShown) {
  unit::frmInstall& f = Screen();
  f.cmdRi.Visible = false;
  sample[3] = 2;
  sample[4] = 20;
  Load(sample);
  EXPECT_TRUE(h.console.param.GenBattSafeMaint);
  EXPECT_TRUE(f.cmdRi.Visible());
  EXPECT_TRUE(f.cmdRj.Visible());
  EXPECT_TRUE(f.lblProp[10].Visible());
  EXPECT_TRUE(f.txtProp[227].Visible());
  EXPECT_TRUE(f.udProp[227].Visible());
  EXPECT_EQ(f.lblProp[17].Caption(), "Gen/Batt Safe Maint Mins");
  EXPECT_EQ(f.txtModemInit.Text(), "AT&FE0X0V0S0=2") << "the string starts at 228";

  sample[3] = 3;
  Load(sample);
  EXPECT_FALSE(h.console.param.GenBattSafeMaint);
  EXPECT_TRUE(f.udProp[227].Visible()) << "a later load hides nothing";
}

TEST_F(ParameterLoading, OffsetRedrawsTheBatteryExtremes) {
  Load(sample);
  EXPECT_EQ(Text(101), "53.28");
  h.console.st.V4Mode = true;  // the offset row comes with V4 units
  sample[267] = 25;
  testkit::LoadBinaryImage(h.console, sample);
  EXPECT_EQ(Text(101), "61.00");  // ((200 * 250) \ 100 + 1000 + 25) * 4 / 100
  EXPECT_EQ(Text(267), "25");
}

TEST_F(ParameterLoading, FinishedLoadTurnsBothUpdateButtonsGreen) {
  Load(sample);
  EXPECT_EQ(Screen().cmdUpdate.BackColor(), ui::vbGreen);
  EXPECT_EQ(h.console.Get<app::frmProgress>().cmdUpdate.BackColor(), ui::vbGreen);
}

// The %add row is written as its magnitude at 225 and its sign at 226 (1 for
// negative); both loaders show the two together, and a sign byte that is
// neither is reported like any value outside its range.
TEST_F(ParameterLoading, AmpHourAdditionReadsBackWithItsSign) {
  const struct {
    bool binary;
    int magnitude, sign, value;
    std::string shown, report;
  } cases[] = {{false, 255, 1, -255, "-25.5%", ""},
               {true, 70, 1, -70, "-7%", ""},
               {false, 70, 0, 70, " 7%", ""},
               {true, 70, 9, 70, " 7%", "226 (0...1) = 9\r\n"}};
  for (const auto& t : cases) {
    sample[225] = t.magnitude;
    sample[226] = t.sign;
    h.console.st.V4Mode = t.binary;
    if (!t.report.empty()) h.rt.Operator().ExpectMsgBox("Data boundary error(s):\r\n" + t.report);
    EXPECT_EQ(t.binary ? testkit::LoadBinaryImage(h.console, sample) : Load(sample), t.report);
    EXPECT_EQ(Text(225), t.shown) << t.sign;
    EXPECT_EQ(Screen().udProp[225].Value(), t.value);
    EXPECT_EQ(h.console.param.ParamShadow[225], t.value);
  }
}

}  // namespace
