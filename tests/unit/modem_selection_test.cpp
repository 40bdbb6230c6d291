// The modem selection: how the machine store's modem entries are read and
// their init strings cleaned, and what the dialog saves.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/frm_select_modem.h"
#include "app/modem_list.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/settings_access.h"

namespace {

std::string ModemKey(int n) { return app::kModemClassKey + std::to_string(n); }

TEST(ModemDriverStrings, CleaningKeepsWhatTheModemReadsAndEndsInNoAutoAnswer) {
  const std::pair<std::string, std::string> cases[] = {
      {"AT&F", "AT&FS0=0"},                           // no S0: appended
      {"AT&FS0=3", "AT&FS0=0"},                       // a ring count: made 0
      {"AT&F E0 V1 S0=2<cr>", "AT&F E0 V1 S0=0"},     // "<cr>" and the like go
      {"at&f e0 s0=2", "& 0 0=2S0=0"},                // lower case keeps digits and signs
      {std::string("ATZ\r\n\0", 6), "ATZS0=0"},       // control characters go
      {"--Not String--", "--N S--S0=0"},
      {"ATS0=0", "ATS0=0"},
  };
  for (const auto& [driver, sent] : cases) EXPECT_EQ(app::CleanInitString(driver), sent) << driver;
}

TEST(ModemDriverStrings, MachineStoreReadsGiveTheRegistryCallsResults) {
  platform::MemoryRegistry store;
  store.SetMachineValue(ModemKey(0), "DriverDesc", "Hayes Optima 288");
  store.SetMachineValue(ModemKey(1), "Other", "x");
  store.SetMachineValue(ModemKey(2), "DriverDesc", "dword:0000001f");
  store.SetMachineValue(ModemKey(3), "DriverDesc", "hex:41,54");
  store.SetMachineValue(ModemKey(4), "DriverDesc", std::string(255, 'A'));
  store.SetMachineValue(ModemKey(5), "DriverDesc", std::string(256, 'A'));
  EXPECT_EQ(app::GetKeyValue(store, ModemKey(0), "DriverDesc"), std::string("Hayes Optima 288\0", 17));
  EXPECT_EQ(app::GetKeyValue(store, ModemKey(9), "DriverDesc"), "");
  for (int n : {1, 2, 3, 5}) EXPECT_EQ(app::GetKeyValue(store, ModemKey(n), "DriverDesc"), "--Not String--") << n;
  EXPECT_EQ(app::GetKeyValue(store, ModemKey(4), "DriverDesc").size(), 256u);
}

class ModemSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  void AddModem(int n, const std::string& name, const std::string& init) {
    h.registry.SetMachineValue(ModemKey(n), "DriverDesc", name);
    h.registry.SetMachineValue(ModemKey(n) + "\\Init", "2", init);
  }
  void Use(const std::function<void(app::frmSelectModem&)>& act, bool ok) {
    h.rt.Operator().OnModal("frmSelectModem", [&](ui::Form& form) {
      auto& dialog = static_cast<app::frmSelectModem&>(form);
      act(dialog);
      (ok ? dialog.cmdOK : dialog.cmdCancel).Press();
    });
    if (ok)
      h.rt.Operator().ExpectMsgBox("Please restart the program for these settings to take effect.",
                                   ui::vbOK, "Restart");
    h.console.Get<app::frmMain>().mnuSelectModem.Choose();
  }
  const lnk::SettingRec& Entry(const char* key) { return lnk::Setting(h.console, key); }

  testkit::ConsoleHarness h;
};

TEST_F(ModemSelection, WithoutModemsOnlyDefaultIsListedAndCancelKeepsTheOldValues) {
  Use([](app::frmSelectModem& d) {
    ASSERT_EQ(d.cmbModems.ListCount(), 1);
    EXPECT_EQ(d.cmbModems.List(0), "Default");
    EXPECT_EQ(d.cmbModems.Text(), "Default");  // the "ModemType" shipped
    EXPECT_EQ(d.txtInit.Text(), "AT&F1S0=0");
    d.cmbModems.UserSelect(0);
    EXPECT_EQ(d.txtInit.Text(), "AT&FS0=0");
  }, /*ok=*/false);
  EXPECT_EQ(Entry("ModemType").SettingText, "Default");
  EXPECT_EQ(Entry("ModemInit").SettingText, "AT&F1S0=0");
}

TEST_F(ModemSelection, ModemsUpToTheFirstGapAreListedAndTheChoiceIsSaved) {
  AddModem(0, "Hayes Optima 288", "AT&FE0V1S0=2<cr>");
  AddModem(1, "Generic 56k", "AT&F&C1&D2");
  AddModem(3, "Beyond the gap", "ATZ");
  Use([](app::frmSelectModem& d) {
    ASSERT_EQ(d.cmbModems.ListCount(), 3);
    EXPECT_EQ(d.cmbModems.List(2), "Default");
    EXPECT_EQ(d.cmbModems.ItemData(2), 2);
    EXPECT_EQ(d.InitStrings[2], "AT&FS0=0");
    d.cmbModems.UserSelect(0);
    EXPECT_EQ(d.txtInit.Text(), "AT&FE0V1S0=0");
    d.cmbModems.UserSelect(1);
    EXPECT_EQ(d.txtInit.Text(), "AT&F&C1&D2S0=0");
    d.txtInit.UserEdit("AT&F&C1S0=0");
  }, /*ok=*/true);
  EXPECT_EQ(Entry("ModemType").SettingText, "Generic 56k");
  EXPECT_EQ(Entry("ModemInit").SettingText, "AT&F&C1S0=0");
  EXPECT_FALSE(Entry("ModemInit").SettingFlag);
}

// The about box's reader of the same store gives numbers as "&h" and digits.
TEST_F(ModemSelection, TheAboutBoxReadsANumberAsHexadecimal) {
  h.registry.SetMachineValue(app::kMsInfoKey, app::kMsInfoPathValue, "dword:0000001f");
  EXPECT_EQ(h.console.Get<app::frmAbout>().FindSysInfoTool(), "&h1F");
  h.registry.SetMachineValue(app::kMsInfoKey, app::kMsInfoPathValue, "hex:41,54");
  EXPECT_EQ(h.console.Get<app::frmAbout>().FindSysInfoTool(), std::nullopt);
}

}  // namespace
