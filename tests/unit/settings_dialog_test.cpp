// The settings dialog as the operator uses it from the Options menu: what it
// shows, what OK and Cancel keep, and the guard while a unit is online.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/frm_select_modem.h"
#include "app/frm_settings.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/settings_access.h"

namespace {

constexpr const char* kRestart = "Please restart the program for these settings to take effect";

class SettingsDialog : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ReportToGtest(h.rt); }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  void Start(const std::map<std::string, std::string>& settings = {}) {
    for (const auto& [key, value] : settings) h.SetSetting(key, value);
    ASSERT_TRUE(h.Start());
  }
  // Opens the dialog from the menu; `act` plays the operator, then OK or Cancel.
  void Use(const std::function<void(app::frmSettings&)>& act, bool ok = true) {
    h.rt.Operator().OnModal("frmSettings", [&](ui::Form& form) {
      auto& dialog = static_cast<app::frmSettings&>(form);
      act(dialog);
      (ok ? dialog.cmdOK : dialog.Command1).Press();
    });
    if (ok) h.rt.Operator().ExpectMsgBox(kRestart, ui::vbOK, "VKX-4700");
    h.console.Get<app::frmMain>().mnuSettings.Choose();
    EXPECT_FALSE(h.console.IfLoaded<app::frmSettings>());
  }
  const lnk::SettingRec& Entry(const char* key) { return lnk::Setting(h.console, key); }
  std::string Stored(const char* key) { return h.console.GetSetting(key, "<none>"); }

  testkit::ConsoleHarness h;
};

TEST_F(SettingsDialog, PressingModemThenCancelStillMakesModemTheDefaultConnection) {
  Start();
  const std::string file = h.console.settings.Save();
  Use([](app::frmSettings& d) {
    d.optConn[1].Press();
    d.chkLowRes.Press();
    d.cmbMBaud.UserSelect(0);
  }, /*ok=*/false);
  EXPECT_EQ(Stored("DefaultConn"), "1");
  EXPECT_EQ(h.console.settings.Save(), file);
  for (const char* key : {"V4", "RemoteIP", "RemotePort"}) EXPECT_EQ(Stored(key), "<none>") << key;
}

TEST_F(SettingsDialog, LoadingAndSavingChangesNothing) {
  Start({{"chkAutoCallout", "1"}, {"CalloutHour", "7"}, {"CalloutMinute", "5"},
         {"optCalloutAllDays", "False"}, {"CalloutDays", "MondayFriday"}, {"CalloutMonday", "1"},
         {"CalloutFriday", "1"}, {"ModemFlowControl", "2"}, {"CableFlowControl", "3"},
         {"chkLowRes", "1"}, {"ModemBaud", "19200"}, {"CableParity", "E"}, {"chkRTS", "0"}});
  h.registry.SaveSetting("Settings", "V4", "1");
  h.registry.SaveSetting("Settings", "RemoteIP", "127.0.0.2");
  h.registry.SaveSetting("Settings", "RemotePort", "4661");
  h.registry.SaveSetting("Settings", "DefaultConn", "2");
  const std::string file = h.console.settings.Save();
  Use([](app::frmSettings& d) {
    EXPECT_TRUE(d.optConn[2].Value());
    EXPECT_EQ(d.chkAddress.Value(), ui::vbChecked);
    EXPECT_EQ(d.txtPort.Text(), "4661");
    EXPECT_EQ(d.txtTime.Text(), "07:05");
    EXPECT_TRUE(d.optDays[1].Value());
    EXPECT_TRUE(d.chkDay[1].Enabled());
    EXPECT_EQ(d.cmbCHandshake.Text(), "Both");
    EXPECT_EQ(d.cmbMBaud.Text(), "19200");
  });
  EXPECT_EQ(h.console.settings.Save(), file);
  EXPECT_EQ(Stored("V4"), "1");
  EXPECT_EQ(Stored("RemoteIP"), "127.0.0.2");
  EXPECT_EQ(Stored("RemotePort"), "4661");
  EXPECT_EQ(Stored("DefaultConn"), "2");
}

TEST_F(SettingsDialog, CalloutDaysAreTheTickedDaysRunTogetherSundayFirst) {
  const std::vector<std::pair<std::vector<int>, std::string>> cases{
      {{}, ""}, {{1, 5}, "MondayFriday"}, {{6, 0}, "SundaySaturday"}};
  Start({{"chkAutoCallout", "1"}, {"optCalloutAllDays", "False"}, {"CalloutDays", "Tuesday"},
         {"CalloutTuesday", "1"}});
  for (const auto& [ticked, days] : cases) {
    Use([&](app::frmSettings& d) {
      for (auto& [index, box] : d.chkDay) box->Value = ui::vbUnchecked;
      for (int day : ticked) d.chkDay[day].Value = ui::vbChecked;
    });
    EXPECT_EQ(Entry("CalloutDays").SettingText, days);
    EXPECT_EQ(Entry("CalloutDays").SettingValue, 0);
    EXPECT_EQ(Entry("CalloutTuesday").SettingText, "0") << days;
    EXPECT_EQ(Entry("optCalloutAllDays").SettingText, "False");
  }
  EXPECT_EQ(Entry("CalloutFriday").SettingText, "0");
  EXPECT_EQ(Entry("CalloutSaturday").SettingText, "1");
}

TEST_F(SettingsDialog, ClearingTheCalloutBoxClearsTheChosenDays) {
  Start({{"chkAutoCallout", "1"}, {"optCalloutAllDays", "False"}, {"CalloutDays", "Monday"},
         {"CalloutMonday", "1"}});
  Use([](app::frmSettings& d) {
    d.chkCallout.Value = ui::vbUnchecked;
    EXPECT_FALSE(d.udHour.Enabled() || d.optDays[1].Enabled() || d.chkDay[1].Enabled());
    EXPECT_TRUE(d.optDays[0].Value());
  });
  EXPECT_EQ(Entry("chkAutoCallout").SettingText, "0");
  EXPECT_EQ(Entry("CalloutDays").SettingText, "");
  EXPECT_EQ(Entry("CalloutMonday").SettingText, "0");
  EXPECT_EQ(Entry("optCalloutAllDays").SettingText, "True");
}

TEST_F(SettingsDialog, BothFlowControlListsSaveTheirRtsCtsEntryAsPositionTwo) {
  Start();
  Use([](app::frmSettings& d) {
    EXPECT_EQ(d.cmbMHandshake.List(2), "RTS/CTS");
    EXPECT_EQ(d.cmbCHandshake.List(2), "CTS/RTS");
    d.cmbMHandshake.UserSelect(2);
    d.cmbCHandshake.UserSelect(2);
    d.cmbCPort.UserEdit("7");
  });
  for (const char* key : {"ModemFlowControl", "CableFlowControl"}) {
    EXPECT_EQ(Entry(key).SettingText, "2") << key;
    EXPECT_EQ(Entry(key).SettingValue, 2) << key;
  }
  EXPECT_EQ(Entry("CableComPort").SettingValue, 7);
}

// What the controls cannot show is saved as it was, not as a stand-in.
TEST_F(SettingsDialog, StoredValuesNoControlCanHoldAreKept) {
  Start({{"ModemFlowControl", "7"}, {"CalloutHour", "25"}, {"CalloutMinute", "-1"}});
  h.registry.SaveSetting("Settings", "DefaultConn", "5");
  Use([](app::frmSettings& d) {
    for (auto& [index, option] : d.optConn) EXPECT_FALSE(option->Value());
    EXPECT_EQ(d.cmbMHandshake.ListIndex(), -1);
  });
  EXPECT_EQ(Entry("ModemFlowControl").SettingText, "7");
  EXPECT_EQ(Entry("CalloutHour").SettingText, "25");
  EXPECT_EQ(Entry("CalloutMinute").SettingText, "-1");
  Use([](app::frmSettings& d) { d.cmbMHandshake.UserSelect(1); });
  EXPECT_EQ(Entry("ModemFlowControl").SettingText, "1");
}

TEST_F(SettingsDialog, OnlyTheChosenTabsPageIsShown) {
  Start();
  Use([](app::frmSettings& d) {
    for (int tab : {app::kSettingsCable, app::kSettingsNetwork, app::kSettingsGeneral}) {
      d.TabStrip1.UserSelect(tab);
      EXPECT_EQ(d.SettingsTab, tab);
      for (int page = 1; page <= 4; ++page) EXPECT_EQ(d.Page(page).Visible(), page == tab);
    }
  }, /*ok=*/false);
}

TEST_F(SettingsDialog, BothSettingsEntriesRefuseWhileOnlineAndOpenNothing) {
  Start();
  h.serial.SetPortOpen(true);
  h.console.st.Online = true;
  auto& main = h.console.Get<app::frmMain>();
  for (ui::Menu* entry : {&main.mnuSettings, &main.mnuSelectModem}) {
    h.rt.Operator().ExpectMsgBox(
        "Settings can only be changed while offline.\r\n"
        "Please disconnect from the current site before changing settings.",
        ui::vbOK, "Online");
    entry->Choose();
  }
  EXPECT_FALSE(h.console.IfLoaded<app::frmSettings>());
  EXPECT_FALSE(h.console.IfLoaded<app::frmSelectModem>());
  EXPECT_TRUE(h.serial.PortOpen());
}

}  // namespace
