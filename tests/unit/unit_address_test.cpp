// The V4 unit address: what an operator may type, writing a new address
// into the unit, and the main window's Change button.
#include "app/unit_address.h"

#include <gtest/gtest.h>

#include <string>

#include "app/frm_main.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "simulated_site.h"

namespace {

TEST(UnitAddressTyped, NumbersFrom0To65535WithoutLettersAreRoundedHalfToEven) {
  EXPECT_EQ(app::ParseUnitAddress("2.5"), 2);
  EXPECT_EQ(app::ParseUnitAddress("3.5"), 4);
  EXPECT_EQ(app::ParseUnitAddress("0"), 0);
  EXPECT_EQ(app::ParseUnitAddress("65535"), 65535);
  EXPECT_EQ(app::ParseUnitAddress(" 12 "), 12);
  EXPECT_EQ(app::ParseUnitAddress("7-"), 7) << "Val reads the number at the front";
}

TEST(UnitAddressTyped, LettersOutOfRangeAndEmptyAreNoAddress) {
  for (const char* answer : {"", "1e3", "&H10", "12abc",
                             "\xE9"
                             "5",
                             "-1", "65535.5", "65536", "-0.4"})
    EXPECT_EQ(app::ParseUnitAddress(answer), std::nullopt) << answer;
}

class UnitAddressCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }
  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }

  testkit::ConsoleHarness h;
};

TEST_F(UnitAddressCommands, SettingAnAddressNeedsAnOnlineV4Unit) {
  const char* refusal =
      "You must be connected to a VKX-4700 which supports address prefixing to use this option.";
  h.rt.Operator().ExpectMsgBox(refusal).ExpectMsgBox(refusal);
  Main().mnuOptAddress_Click();
  h.console.st.Online = true;  // a text unit
  Main().mnuOptAddress_Click();
  EXPECT_EQ(h.console.st.CmdState, lnk::kIdle);
}

TEST_F(UnitAddressCommands, AnInvalidNewAddressIsRefusedBeforeAnythingIsSent) {
  h.console.st.Online = true;
  h.console.st.V4Mode = true;
  h.rt.Operator()
      .ExpectInputBox("Please enter the new address for this unit (0-65535):", "70000")
      .ExpectMsgBox("Unit address must be in the range 0-65535", ui::vbOK, "VKX-4700")
      .ExpectInputBox("Please enter the new address for this unit (0-65535):", "");
  Main().mnuOptAddress_Click();
  Main().mnuOptAddress_Click();
  EXPECT_EQ(h.console.st.UnitAddress, 65535);
  EXPECT_TRUE(h.console.st.WriteData.empty());
}

// The unit keeps its address three times, high byte first, from 268; the
// console uses the new address at once.
TEST_F(UnitAddressCommands, ANewAddressIsWrittenThreeTimesAt268AndUsedAtOnce) {
  testkit::SimulatedSite site(h, sim::UnitConfig{.dialect = sim::Dialect::kV4, .address = 7});
  site.AttachSerial(/*modem=*/false);
  h.serial.SetPortOpen(true);
  h.console.st.Online = true;
  h.console.st.V4Mode = true;
  h.console.st.UnitAddress = 7;
  h.rt.Operator().ExpectInputBox("Please enter the new address for this unit (0-65535):", "4660");
  Main().mnuOptAddress_Click();
  EXPECT_EQ(h.console.st.UnitAddress, 4660);
  EXPECT_EQ(h.registry.GetSetting("Settings", "LastAddress", ""), "4660");
  EXPECT_EQ(h.console.st.PacketOut, std::string("S\x06\x01\x0C\x12\x34\x12\x34\x12\x34", 10));
  h.rt.RunFor(1000);
  for (int a = 268; a <= 273; a += 2) {
    EXPECT_EQ(site.Unit().Memory(a), 0x12) << a;
    EXPECT_EQ(site.Unit().Memory(a + 1), 0x34) << a + 1;
  }
}

TEST_F(UnitAddressCommands, TheChangeButtonKeepsTheAddressOnABadAnswer) {
  const char* prompt = "Please enter new unit address: (0-65535)";
  h.rt.Operator()
      .ExpectInputBox(prompt, "300")
      .ExpectInputBox(prompt, "")
      .ExpectInputBox(prompt, "abc")
      .ExpectInputBox(prompt, "70000")
      .ExpectInputBox(prompt, "12.5");
  Main().cmdChange_Click();
  EXPECT_EQ(h.console.st.UnitAddress, 300);
  for (int i = 0; i < 3; ++i) Main().cmdChange_Click();
  EXPECT_EQ(h.console.st.UnitAddress, 300);
  Main().cmdChange_Click();
  EXPECT_EQ(h.console.st.UnitAddress, 12);
  const auto& shown = h.rt.Operator().Shown();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().title, "Change Address");
}

}  // namespace
