// The settings dialog and the modem selection as the operator uses them
// from the Options menu: what they show, what OK and Cancel keep, the guard
// while a unit is online; and how the modem entries of the machine store
// are read and their init strings cleaned.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/frm_select_modem.h"
#include "app/frm_settings.h"
#include "app/modem_list.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/settings_access.h"

namespace {

std::string Key(int n) { return app::kModemClassKey + std::to_string(n); }

class SettingsDialog : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ReportToGtest(h.rt); }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  void Start(const std::map<std::string, std::string>& settings = {}) {
    for (const auto& [key, value] : settings) h.SetSetting(key, value);
    ASSERT_TRUE(h.Start());
  }
  // Opens a dialog from its menu entry; `act` plays the operator, then OK
  // (and the restart notice) or Cancel.
  template <class Dialog>
  void Open(ui::Menu& entry, const char* name, ui::CommandButton Dialog::*cancel, const char* notice,
            const char* title, const std::function<void(Dialog&)>& act, bool ok) {
    h.rt.Operator().OnModal(name, [&](ui::Form& form) {
      auto& dialog = static_cast<Dialog&>(form);
      act(dialog);
      (ok ? dialog.cmdOK : dialog.*cancel).Press();
    });
    if (ok) h.rt.Operator().ExpectMsgBox(notice, ui::vbOK, title);
    entry.Choose();
  }
  void Use(const std::function<void(app::frmSettings&)>& act, bool ok = true) {
    Open(Main().mnuSettings, "frmSettings", &app::frmSettings::Command1,
         "Please restart the program for these settings to take effect", "VKX-4700", act, ok);
  }
  void UseModems(const std::function<void(app::frmSelectModem&)>& act, bool ok) {
    Open(Main().mnuSelectModem, "frmSelectModem", &app::frmSelectModem::cmdCancel,
         "Please restart the program for these settings to take effect.", "Restart", act, ok);
  }
  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  std::string Text(const char* key) { return lnk::SettingText(h.console, key); }
  std::string Stored(const char* key) { return h.console.GetSetting(key, "<none>"); }

  testkit::ConsoleHarness h;
};

TEST_F(SettingsDialog, PressingModemThenCancelStillMakesModemTheDefaultConnection) {
  Start();
  const std::string file = h.console.settings.Save();
  Use([](app::frmSettings& d) {
    d.optConn[1].Press();
    d.chkLowRes.Press();
  }, /*ok=*/false);
  EXPECT_EQ(Stored("DefaultConn"), "1");
  EXPECT_EQ(h.console.settings.Save(), file);
  EXPECT_EQ(Stored("V4"), "<none>");
}

TEST_F(SettingsDialog, LoadingAndSavingChangesNothing) {
  Start({{"chkAutoCallout", "1"}, {"CalloutHour", "7"}, {"CalloutMinute", "5"},
         {"optCalloutAllDays", "False"}, {"CalloutDays", "MondayFriday"}, {"CalloutMonday", "1"},
         {"CalloutFriday", "1"}, {"CableFlowControl", "3"}, {"ModemBaud", "19200"}});
  using Pair = std::pair<const char*, const char*>;
  for (const Pair& p : {Pair{"V4", "1"}, Pair{"RemotePort", "4661"}, Pair{"DefaultConn", "2"}})
    h.registry.SaveSetting("Settings", p.first, p.second);
  const std::string file = h.console.settings.Save();
  Use([](app::frmSettings& d) {
    EXPECT_TRUE(d.optConn[2].Value() && d.chkAddress.Value() == ui::vbChecked);
    EXPECT_EQ(d.txtTime.Text(), "07:05");
    EXPECT_TRUE(d.optDays[1].Value() && d.chkDay[1].Enabled());
    EXPECT_EQ(d.cmbCHandshake.Text(), "Both");
  });
  EXPECT_EQ(h.console.settings.Save(), file);
  EXPECT_EQ(Stored("V4") + Stored("RemoteIP") + Stored("RemotePort"), "1127.0.0.14661");
}

TEST_F(SettingsDialog, CalloutDaysAreTheTickedDaysRunTogetherSundayFirst) {
  Start({{"chkAutoCallout", "1"}, {"optCalloutAllDays", "False"}, {"CalloutTuesday", "1"}});
  using Case = std::pair<std::string, std::string>;  // day numbers ticked, "CalloutDays"
  for (const Case& c : {Case{"", ""}, Case{"15", "MondayFriday"}, Case{"60", "SundaySaturday"}}) {
    Use([&](app::frmSettings& d) {
      for (auto& [index, box] : d.chkDay) box->Value = ui::vbUnchecked;
      for (char day : c.first) d.chkDay[day - '0'].Value = ui::vbChecked;
    });
    EXPECT_EQ(Text("CalloutDays"), c.second);
    EXPECT_EQ(Text("CalloutTuesday") + Text("optCalloutAllDays"), "0False");
  }
  // Clearing the callout box clears the days and chooses every day.
  Use([](app::frmSettings& d) { d.chkCallout.Value = ui::vbUnchecked; });
  EXPECT_EQ(Text("CalloutDays") + Text("CalloutSaturday") + Text("optCalloutAllDays"), "0True");
}

TEST_F(SettingsDialog, BothFlowControlListsSaveTheirRtsCtsEntryAsPositionTwo) {
  Start();
  Use([](app::frmSettings& d) {
    EXPECT_EQ(d.cmbMHandshake.List(2) + d.cmbCHandshake.List(2), "RTS/CTSCTS/RTS");
    d.cmbMHandshake.UserSelect(2);
    d.cmbCHandshake.UserSelect(2);
  });
  EXPECT_EQ(Text("ModemFlowControl") + Text("CableFlowControl"), "22");
}

// What the controls cannot show is saved as it was, not as a stand-in.
TEST_F(SettingsDialog, StoredValuesNoControlCanHoldAreKept) {
  Start({{"ModemFlowControl", "7"}, {"CalloutHour", "25"}, {"CalloutMinute", "-1"}});
  h.registry.SaveSetting("Settings", "DefaultConn", "5");
  Use([](app::frmSettings& d) {
    for (auto& [index, option] : d.optConn) EXPECT_FALSE(option->Value());
    d.TabStrip1.UserSelect(app::kSettingsModem);
    for (int page = 1; page <= 4; ++page) EXPECT_EQ(d.Page(page).Visible(), page == 2);
  });
  EXPECT_EQ(Text("ModemFlowControl") + Text("CalloutHour") + Text("CalloutMinute"), "725-1");
}

// Every box that becomes a port, a line setting or part of a modem command
// takes only what those can be: OK refuses anything else by name, shows the
// box's page with the box focused, and saves nothing at all.
TEST_F(SettingsDialog, OkRefusesEveryBoxThatIsNoPortLineSettingOrRingCount) {
  Start();
  const std::string file = h.console.settings.Save();
  using Box = ui::TextBox app::frmSettings::*;
  using List = ui::ComboBox app::frmSettings::*;
  const char* kTcp = "The Remote Port must be a whole number from 1 to 65535.";
  const char* kRings = "The Number of Rings must be a whole number from 0 to 255.";
  const char* kCablePort = "The Cable COM Port must be a whole number from 1 to 16.";
  const char* kModemPort = "The Modem COM Port must be a whole number from 1 to 16.";
  const char* kBaud = " must be one of 110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600 and 115200.";
  const struct {
    Box box;
    List list;
    std::vector<std::string> typed;
    std::string message;
    int page;
  } refusals[] = {
      {&app::frmSettings::txtPort, nullptr,
       {"70000", "65536", "1e10", "0", "-1", "+4660", "4660.5", "46 60", "", "0x1234"}, kTcp,
       app::kSettingsNetwork},
      {nullptr, &app::frmSettings::cmbMRings, {"2DT5551234", "256", "-1", "+2", "2.5", ""}, kRings,
       app::kSettingsModem},
      {nullptr, &app::frmSettings::cmbMPort, {"0", "17", "x", "2,3"}, kModemPort, app::kSettingsModem},
      {nullptr, &app::frmSettings::cmbCPort, {"2.6", "-2", "", "COM2"}, kCablePort, app::kSettingsCable},
      {nullptr, &app::frmSettings::cmbMBaud, {"abc", "9601", "+9600", "9600,n"},
       std::string("The Modem Baud") + kBaud, app::kSettingsModem},
      {nullptr, &app::frmSettings::cmbCBaud, {"-9600", "0", "96OO"}, std::string("The Cable Baud") + kBaud,
       app::kSettingsCable},
      {nullptr, &app::frmSettings::cmbMData, {"9", "4", "8.0"}, "The Modem Data Bits must be 5, 6, 7 or 8.",
       app::kSettingsModem},
      {nullptr, &app::frmSettings::cmbCData, {"", "88"}, "The Cable Data Bits must be 5, 6, 7 or 8.",
       app::kSettingsCable},
      {nullptr, &app::frmSettings::cmbMStop, {"3", "0", "1.25"}, "The Modem Stop Bits must be 1, 1.5 or 2.",
       app::kSettingsModem},
      {nullptr, &app::frmSettings::cmbCStop, {"two"}, "The Cable Stop Bits must be 1, 1.5 or 2.",
       app::kSettingsCable},
      {nullptr, &app::frmSettings::cmbMParity, {"none", "Q"}, "The Modem Parity must be N, O, E, M or S.",
       app::kSettingsModem},
      {nullptr, &app::frmSettings::cmbCParity, {"x", "NO"}, "The Cable Parity must be N, O, E, M or S.",
       app::kSettingsCable},
  };
  for (const auto& r : refusals) {
    for (const std::string& typed : r.typed) {
      SCOPED_TRACE(r.message + " <- \"" + typed + "\"");
      h.rt.Operator().OnModal("frmSettings", [&](ui::Form& form) {
        auto& d = static_cast<app::frmSettings&>(form);
        d.chkLowRes.Press();
        if (r.box) (d.*r.box).UserEdit(typed);
        else (d.*r.list).UserEdit(typed);
        h.rt.Operator().ExpectMsgBox(r.message, ui::vbOK, "VKX-4700");
        d.cmdOK.Press();
        EXPECT_TRUE(d.IsLoaded() && d.Page(r.page).Visible());
        EXPECT_EQ(d.SettingsTab, r.page);
        d.Command1.Press();
      });
      Main().mnuSettings.Choose();
    }
  }
  EXPECT_EQ(h.console.settings.Save(), file);
  EXPECT_EQ(Stored("RemotePort") + Stored("V4") + Stored("RemoteIP"), "<none><none><none>");
  for (const char* typed : {"1", "65535", " 4661 ", "04660"}) {
    Use([&](app::frmSettings& d) { d.txtPort.UserEdit(typed); });
    EXPECT_EQ(Stored("RemotePort"), typed);
  }
  Use([](app::frmSettings& d) {
    d.cmbMRings.UserEdit("0");
    d.cmbCPort.UserEdit("16");
    d.cmbMBaud.UserEdit("115200");
    d.cmbCParity.UserEdit("e");
    d.cmbMStop.UserEdit("1.5");
  });
  EXPECT_EQ(Text("ModemRings") + Text("CableComPort") + Text("ModemBaud") + Text("CableParity") +
                Text("ModemStopBits"),
            "016115200e1.5");
}

TEST_F(SettingsDialog, BothSettingsEntriesRefuseWhileOnlineAndOpenNothing) {
  Start();
  h.serial.SetPortOpen(true);
  h.console.st.Online = true;
  for (ui::Menu* entry : {&Main().mnuSettings, &Main().mnuSelectModem}) {
    h.rt.Operator().ExpectMsgBox("~Settings can only be changed while offline.", ui::vbOK, "Online");
    entry->Choose();
  }
  EXPECT_FALSE(h.console.IfLoaded<app::frmSettings>() || h.console.IfLoaded<app::frmSelectModem>());
  EXPECT_TRUE(h.serial.PortOpen());
}

TEST_F(SettingsDialog, WithoutModemsOnlyDefaultIsListedAndCancelKeepsTheOldValues) {
  Start();
  UseModems([](app::frmSelectModem& d) {
    ASSERT_EQ(d.cmbModems.ListCount(), 1);
    EXPECT_EQ(d.cmbModems.Text() + " " + d.txtInit.Text(), "Default AT&F1S0=0");  // as saved
    d.cmbModems.UserSelect(0);
    EXPECT_EQ(d.txtInit.Text(), "AT&FS0=0");
  }, /*ok=*/false);
  EXPECT_EQ(Text("ModemType") + " " + Text("ModemInit"), "Default AT&F1S0=0");
}

TEST_F(SettingsDialog, ModemsUpToTheFirstGapAreListedAndTheChoiceIsSaved) {
  Start();
  for (int n : {0, 1, 3}) {
    h.registry.SetMachineValue(Key(n), "DriverDesc", "Modem " + std::to_string(n));
    h.registry.SetMachineValue(Key(n) + "\\Init", "2", "AT&F&C1&D" + std::to_string(n));
  }
  UseModems([](app::frmSelectModem& d) {
    ASSERT_EQ(d.cmbModems.ListCount(), 3);
    EXPECT_EQ(d.cmbModems.List(2), "Default");
    EXPECT_EQ(d.InitStrings[static_cast<size_t>(d.cmbModems.ItemData(2))], "AT&FS0=0");
    d.cmbModems.UserSelect(1);
    EXPECT_EQ(d.txtInit.Text(), "AT&F&C1&D1S0=0");
    d.txtInit.UserEdit("AT&F&C1S0=0");
  }, /*ok=*/true);
  EXPECT_EQ(Text("ModemType") + " " + Text("ModemInit"), "Modem 1 AT&F&C1S0=0");
}

TEST(ModemDriverStrings, CleaningKeepsWhatTheModemReadsAndEndsInNoAutoAnswer) {
  const std::pair<std::string, std::string> cases[] = {
      {"AT&F", "AT&FS0=0"},                           // no S0: appended
      {"AT&FS0=3", "AT&FS0=0"},                       // a ring count: made 0
      {"AT&F E0 V1 S0=2<cr>", "AT&F E0 V1 S0=0"},     // "<cr>" and the like go
      {"at&f e0 s0=2", "& 0 0=2S0=0"},                // lower case keeps digits and signs
      {std::string("ATZ\r\n\0", 6), "ATZS0=0"},       // control characters go
      {"--Not String--", "--N S--S0=0"},
  };
  for (const auto& [driver, sent] : cases) EXPECT_EQ(app::CleanInitString(driver), sent) << driver;
}

TEST(ModemDriverStrings, MachineStoreReadsGiveTheRegistryCallsResults) {
  platform::MemoryRegistry store;
  const std::string values[] = {"Hayes", "dword:0000001f", "hex:41,54", std::string(256, 'A')};
  for (int n = 0; n < 4; ++n) store.SetMachineValue(Key(n), "DriverDesc", values[n]);
  store.SetMachineValue(Key(4), "Other", "x");
  EXPECT_EQ(app::GetKeyValue(store, Key(0), "DriverDesc"), std::string("Hayes\0", 6));
  EXPECT_EQ(app::GetKeyValue(store, Key(9), "DriverDesc"), "");
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(app::GetKeyValue(store, Key(n), "DriverDesc"), "--Not String--");
}

}  // namespace
