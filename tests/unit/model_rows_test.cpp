// Rows that a unit's dialect and firmware show or hide after every load.
#include <gtest/gtest.h>

#include "console_harness.h"
#include "dump_loader.h"
#include "gtest_operator.h"
#include "unit/frm_install.h"
#include "unit/model_rows.h"

namespace {

class ModelRows : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  // Name label, text box and up-down of a row all shown (or all hidden).
  bool RowShown(int label, int address) {
    unit::frmInstall& f = Screen();
    const bool shown = f.lblProp[label].Visible();
    EXPECT_EQ(f.txtProp[address].Visible(), shown) << "row " << address;
    EXPECT_EQ(f.udProp[address].Visible(), shown) << "row " << address;
    return shown;
  }
  void LoadText(int major, int minor, int build) {
    testkit::LoadTextDump(h.console, testkit::PlainDump(testkit::SampleParameters(major, minor, build)));
  }

  testkit::ConsoleHarness h;
};

TEST_F(ModelRows, V4UnitHasOffsetAndLvdDelayButNoEquHoursOrInitString) {
  h.console.st.V4Mode = true;
  testkit::LoadBinaryImage(h.console, testkit::SampleParameters(4, 1, 0));
  unit::frmInstall& f = Screen();
  EXPECT_TRUE(RowShown(267, 267));
  EXPECT_EQ(f.lblProp[267].Caption(), "Offset");
  EXPECT_TRUE(RowShown(274, 274));
  EXPECT_EQ(f.lblProp[274].Caption(), "LVD Delay");
  EXPECT_FALSE(RowShown(8, 14));
  EXPECT_FALSE(f.Label19.Visible());
  EXPECT_FALSE(f.txtModemInit.Visible());
  EXPECT_FALSE(f.cmdChangeInit.Visible());
  EXPECT_FALSE(f.cmdAddress.Enabled());  // until the Factory level opens
  EXPECT_TRUE(f.cmdClock.Visible());
}

TEST_F(ModelRows, TextUnitHasTheOppositeRows) {
  h.console.st.V4Mode = true;
  unit::ShowV4ParameterRows(h.console);
  h.console.st.V4Mode = false;
  LoadText(3, 18, 2);
  unit::frmInstall& f = Screen();
  EXPECT_FALSE(RowShown(267, 267));
  EXPECT_FALSE(RowShown(274, 274));
  EXPECT_TRUE(RowShown(8, 14));
  EXPECT_EQ(f.lblProp[8].Caption(), "EQU Hours");
  EXPECT_TRUE(f.Label19.Visible());
  EXPECT_TRUE(f.txtModemInit.Visible());
  EXPECT_TRUE(f.cmdChangeInit.Visible());
  EXPECT_FALSE(f.cmdAddress.Enabled());
  EXPECT_FALSE(f.cmdClock.Visible());
}

TEST_F(ModelRows, Firmware40200HasNoGeneratorAnywhereUntilAnotherUnitLoads) {
  unit::frmInstall& f = Screen();
  LoadText(4, 2, 0);
  EXPECT_EQ(h.console.param.FirmwareVersion, 40200);
  EXPECT_FALSE(f.Label27.Visible());
  EXPECT_FALSE(RowShown(18, 38));
  EXPECT_FALSE(RowShown(19, 40));
  EXPECT_FALSE(RowShown(20, 39));
  EXPECT_FALSE(f.Label92.Visible());
  EXPECT_FALSE(f.Label95.Visible());
  for (int a : {213, 169, 171}) EXPECT_FALSE(f.txtProp[a].Visible()) << a;
  EXPECT_FALSE(f.lblRelay[17].Visible());
  EXPECT_FALSE(f.imgGEN.Visible());

  LoadText(4, 1, 0);
  EXPECT_TRUE(f.Label27.Visible());
  EXPECT_TRUE(RowShown(18, 38));
  EXPECT_TRUE(RowShown(19, 40));
  EXPECT_TRUE(RowShown(20, 39));
  EXPECT_TRUE(f.Label92.Visible());
  for (int a : {213, 169, 171}) EXPECT_TRUE(f.txtProp[a].Visible()) << a;
  EXPECT_TRUE(f.lblRelay[17].Visible());
  EXPECT_TRUE(f.imgGEN.Visible());
}

TEST_F(ModelRows, Version32116WithoutBatterySafeMaintenance) {
  testkit::ParameterValues values = testkit::SampleParameters(3, 21, 16);
  values[227] = 140;
  testkit::LoadTextDump(h.console, testkit::PlainDump(values));
  unit::frmInstall& f = Screen();
  EXPECT_EQ(f.txtModemInit.Text(), "AT&FE0X0V0S0=2");  // from 228 on
  EXPECT_EQ(f.udProp[227].Value(), 140);
  EXPECT_FALSE(h.console.param.GenBattSafeMaint);
  EXPECT_FALSE(RowShown(10, 227));
}

}  // namespace
