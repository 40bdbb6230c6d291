// A parameter row's raw value as the operator reads it, by the row's type
// word, and the send button offered by the spinner's arrows.
#include <gtest/gtest.h>

#include <string>

#include "console_harness.h"
#include "gtest_operator.h"
#include "unit/frm_install.h"

namespace {

class ParameterDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  // Puts raw into the row's spinner; the row is drawn by its Change event,
  // or directly when the spinner already held the value.
  void Set(int address, int raw) {
    ui::UpDown& ud = Screen().udProp[address];
    if (ud.Value() == raw) Screen().udProp_Change(address);
    ud.Value = raw;
  }
  std::string Text(int address) { return Screen().txtProp[address].Text(); }
  std::string Shown(int address, int raw) {
    Set(address, raw);
    return Text(address);
  }
  // Battery calibration and nominal blocks of a text-dialect unit.
  void Battery(int cal, int blocks) {
    Set(8, cal);
    Set(19, blocks);
  }

  testkit::ConsoleHarness h;
};

TEST_F(ParameterDisplay, VoltsAlwaysShowTwoDecimals) {
  Battery(166, 4);
  EXPECT_EQ(Shown(27, 150), "49.96");
  EXPECT_EQ(Shown(27, 0), "40.00");    // a whole number
  EXPECT_EQ(Shown(27, 103), "46.80");  // one decimal

  h.console.st.V4Mode = true;  // the factor is fixed, not Batt Cal
  Set(19, 1);
  EXPECT_EQ(Shown(27, 255), "16.37");
}

TEST_F(ParameterDisplay, BatteryExtremesAddTheVoltageOffset) {
  Battery(166, 1);
  EXPECT_EQ(Shown(101, 0), "10.00");
  Set(267, 50);
  EXPECT_EQ(Shown(101, 0), "10.50");
  EXPECT_EQ(Shown(107, 150), "12.99");
}

TEST_F(ParameterDisplay, BoostVoltageIsSignedAndUnpadded) {
  h.console.st.V4Mode = true;
  Set(19, 4);
  EXPECT_EQ(Shown(61, 236), "-2");  // the byte -20
  EXPECT_EQ(Shown(61, 10), "1");
  EXPECT_EQ(Shown(61, 3), "0.28");  // plain decimal keeps the zero
}

TEST_F(ParameterDisplay, CurrentsFromZeroCalibrationAndShunt) {
  Set(10, 20);    // PV zero
  Set(11, 100);   // PV calibration
  Set(22, 2);     // PV shunt
  EXPECT_EQ(Shown(17, 20), "0.00");    // at the zero byte
  EXPECT_EQ(Shown(17, 120), "10.00");
  EXPECT_EQ(Shown(17, 125), "10.5");   // a decimal already there: no padding
  EXPECT_EQ(Shown(17, 0), "2.00");     // below the zero counts as its distance

  Set(195, 0);    // the load input has its own three rows
  Set(196, 50);
  Set(21, 1);
  EXPECT_EQ(Shown(113, 200), "5.00");
}

TEST_F(ParameterDisplay, ModeWordsAndOutOfListValues) {
  EXPECT_EQ(Shown(26, 2), "PWM-FET");
  EXPECT_EQ(Shown(26, 3), "PWM-FET");  // outside the list: the previous text stays
  EXPECT_EQ(Shown(29, 0), "LD On");
  EXPECT_EQ(Shown(47, 2), "T>0 Range");
  EXPECT_EQ(Shown(23, 0), "Voltage");
  EXPECT_EQ(Shown(23, 7), "EBBM");     // any other value
  EXPECT_EQ(Shown(38, 1), "Auto");
}

TEST_F(ParameterDisplay, PercentagesKeepTheSignBlank) {
  EXPECT_EQ(Shown(13, 90), " 90%");
  EXPECT_EQ(Shown(225, 75), " 7.5%");
  EXPECT_EQ(Shown(225, -70), "-7%");
  EXPECT_EQ(Shown(225, 5), " .5%");
}

TEST_F(ParameterDisplay, MultipliedBytesSignedBytesAndTemperatures) {
  EXPECT_EQ(Shown(19, 4), "48");      // X12
  EXPECT_EQ(Shown(21, 7), "35");      // X5
  EXPECT_EQ(Shown(274, 9), "18");     // X2
  EXPECT_EQ(Shown(63, 3), "90");      // x30
  EXPECT_EQ(Shown(10, 200), "-56");   // BYTE
  EXPECT_EQ(Shown(186, 251), "-5 \xBA" "C");
  EXPECT_EQ(Shown(186, 25), "25 \xBA" "C");
  EXPECT_EQ(Shown(9, 200), "200");    // no type word: the raw number
}

TEST_F(ParameterDisplay, PairsShowInTheirSecondRow) {
  Set(56, 7);
  EXPECT_EQ(Shown(57, 5), "7:05");
  Set(56, 18);  // the hour redraws the pair too
  EXPECT_EQ(Text(57), "18:05");

  Set(96, 3);
  EXPECT_EQ(Shown(97, 12), "3/12");

  Set(212, 1);
  EXPECT_EQ(Shown(213, 44), "5");     // 300 minutes
  EXPECT_EQ(Shown(213, 45), "5.01");  // 301 minutes, cut to two decimals

  Set(24, 4);
  Set(25, 210);
  EXPECT_EQ(Text(25), "1234");
  Set(24, 5);
  EXPECT_EQ(Text(25), "1490");
}

TEST_F(ParameterDisplay, DisconnectSlopesScaleByBlocksAndFactor) {
  h.console.st.V4Mode = true;
  Set(19, 1);
  EXPECT_EQ(Shown(48, 0), "-640");   // the HVD slope is always negative
  EXPECT_EQ(Shown(48, 255), "-2");
  Set(19, 2);
  EXPECT_EQ(Shown(49, 246), "-50");  // the LVD slope is a signed byte
  EXPECT_EQ(Shown(49, 20), "100");
}

TEST_F(ParameterDisplay, PasswordsShowOnlyWhileTheirLevelIsOpen) {
  EXPECT_EQ(Text(75), "??");
  EXPECT_EQ(Shown(75, 42), "??");
  EXPECT_EQ(Shown(82, 17), "??");
  h.console.st.InstallLocked = false;
  EXPECT_EQ(Shown(76, 8), "8");
  EXPECT_EQ(Shown(83, 9), "??");  // Controls stays locked
  h.console.st.ControlsLocked = false;
  EXPECT_EQ(Shown(84, 0), "0");
}

TEST_F(ParameterDisplay, LampsAndTheEqualiseMode) {
  unit::frmInstall& f = Screen();
  Set(60, 1);
  EXPECT_EQ(f.txtEqMode.Text(), "Auto");
  Set(60, 0);
  EXPECT_EQ(f.txtEqMode.Text(), "Manual");

  Set(55, 1);
  EXPECT_EQ(f.imgLd1T.Picture(), f.imgGreenOn.Picture());
  EXPECT_TRUE(f.optLD1T[1].Value());
  Set(55, 0);
  EXPECT_EQ(f.imgLd1T.Picture(), f.imgGreenOff.Picture());
  EXPECT_TRUE(f.optLD1T[0].Value());
  EXPECT_FALSE(f.optLD1T[1].Value());

  Set(95, 4);
  EXPECT_EQ(f.imgFault1.Picture(), f.imgRedOn.Picture());
  Set(95, 0);
  EXPECT_EQ(f.imgFault1.Picture(), f.imgRedOff.Picture());
}

TEST_F(ParameterDisplay, TypeWordIsReadAtEveryChange) {
  unit::frmInstall& f = Screen();
  Battery(166, 4);
  f.udProp[40].Value = 150;
  EXPECT_EQ(Text(40), "49.96");
  f.udProp[40].Tag = "X2";
  f.udProp[40].Value = 3;
  EXPECT_EQ(Text(40), "6");
  f.udProp[40].Tag = "SOMETHING ELSE";
  f.udProp[40].Value = 4;
  EXPECT_EQ(Text(40), "4");
}

TEST_F(ParameterDisplay, ArrowsOfferTheSendButtonWhileTheValueDiffers) {
  unit::frmInstall& f = Screen();
  h.console.param.ParamShadow[13] = 90;
  f.udProp[13].Value = 90;
  f.udProp[13].Enabled = true;  // as after the Install password
  f.udProp[13].PressUp();
  EXPECT_TRUE(f.cmdProp[13].Visible());
  f.udProp[13].PressDown();  // back to what the unit has
  EXPECT_FALSE(f.cmdProp[13].Visible());

  // The high byte of the capacity is sent with the low byte's button.
  f.udProp[24].Enabled = true;
  f.udProp[24].PressDown();  // even when nothing changed
  EXPECT_TRUE(f.cmdProp[25].Visible());

  // Hour and minute go together from the minute's button.
  f.udProp[56].Enabled = true;
  f.udProp[56].PressUp();
  EXPECT_TRUE(f.cmdProp[57].Visible());
}

}  // namespace
