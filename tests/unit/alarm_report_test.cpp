// Alarm reports called in by units, the alarm state a session leaves, and
// the two windows that show what the site table holds.
#include <gtest/gtest.h>

#include "app/frm_alarm.h"
#include "app/frm_main.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "simulated_site.h"
#include "sites/alarm_report.h"
#include "sites/frm_active_alarms.h"
#include "site_rows.h"

namespace {

std::vector<std::string> Items(const ui::ItemList& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
  return items;
}

class AlarmReport : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
    north = testkit::AddSite(h.console, {.name = "North", .site_num = 12});
    south = testkit::AddSite(h.console, {.name = "South", .site_num = 40000});
    for (auto id : {north, south})
      h.console.Db.Execute("UPDATE tSites SET Alarms='0000000000000001' WHERE SiteID=?", {id});
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  app::frmAlarm& Report(const std::string& text) {
    h.console.st.RxText = "RING\r\nCONNECT 9600\r\n" + text + "\r\nNO CARRIER\r\n";
    sites::ProcessAlarmReport(h.console);
    EXPECT_EQ(h.console.st.RxText + h.console.st.RxBuffer, "");
    return static_cast<app::frmAlarm&>(*h.console.AllForms().back());
  }
  std::string Stored(std::int32_t id) {
    return testkit::SiteField(h.console, id, "Alarms") + " " +
           testkit::SiteField(h.console, id, "SiteColor");
  }

  testkit::ConsoleHarness h;
  std::int32_t north = 0, south = 0;
};

TEST_F(AlarmReport, ShowsTheReportAndStoresWellFormedFlagsWithTheAlarmColour) {
  struct Case {
    const char* report;
    const char* site;
    std::vector<std::string> alarms;
    const char* north_stored;
    const char* south_stored;
  };
  const Case cases[] = {
      {"Alarm Report 12 2 21 14 30 0100000100000000", "12  (North)",
       {"Shelter Temperature Final", "Door Open"}, "0100000100000000 2", "0000000000000001 0"},
      {"Alarm Report\r\nSite: 12\r\nDate: 2/21\r\nTime: 14:30\r\nAlarms: 1000000000000001", "12  (North)",
       {"AUX 1 / AUX 2", "Shelter Temperature Pre"}, "1000000000000001 2", "0000000000000001 0"},
      {"Alarm Report 40000 2 21 14 30 0000000000000000", "40000  (South)", {},
       "0000000000000001 0", "0000000000000000 2"},
      // Reports that cannot be stored whole change no row.
      {"Alarm Report 999 2 21 14 30 0100000100000000", "999", {"Shelter Temperature Final", "Door Open"},
       "0000000000000001 0", "0000000000000001 0"},
      {"Alarm Report 12 2 21 14 30", "12  (North)", {}, "0000000000000001 0", "0000000000000001 0"},
      {"Alarm Report 12 2 21 14 30 01001", "12  (North)", {"Shelter Temperature Final", "Inverter"},
       "0000000000000001 0", "0000000000000001 0"},
      {"Alarm Report", "---", {}, "0000000000000001 0", "0000000000000001 0"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.report);
    for (auto id : {north, south})
      h.console.Db.Execute("UPDATE tSites SET Alarms='0000000000000001', SiteColor=0 WHERE SiteID=?", {id});
    app::frmAlarm& w = Report(k.report);
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(w.txtSite.Text(), k.site);
    if (std::string(k.site) != "---") {
      EXPECT_EQ(w.txtDate.Text(), "2 / 21");
      EXPECT_EQ(w.txtTime.Text(), "14 : 30");
    }
    EXPECT_EQ(Items(w.lstAlarms), k.alarms);
    EXPECT_EQ(Stored(north), k.north_stored);
    EXPECT_EQ(Stored(south), k.south_stored);
  }
}

TEST_F(AlarmReport, EveryReportOpensAWindowOfItsOwn) {
  app::frmAlarm& first = Report("Alarm Report 12 2 21 14 30 0100000100000000");
  app::frmAlarm& second = Report("Alarm Report 40000 2 22 9 5 0000000100000000");
  EXPECT_NE(&first, &second);
  EXPECT_TRUE(first.Visible() && second.Visible());
  EXPECT_EQ(first.txtSite.Text(), "12  (North)");
  EXPECT_EQ(second.txtTime.Text(), "9 : 5");
}

TEST_F(AlarmReport, SessionEndStoresItsFlagsAndTheActiveListShowsTheUnitsNumber) {
  testkit::SelectSite(h.console, south, {.name = "South", .site_num = 40000});
  h.console.st.AlarmFlags = "0000000000000000";
  sites::UpdateSiteAlarms(h.console);
  EXPECT_EQ(Stored(south), "0000000000000000 0");
  h.console.st.AlarmFlags = "0010000000000010";
  sites::UpdateSiteAlarms(h.console);
  EXPECT_EQ(Stored(south), "0010000000000010 2");
  auto& list = h.console.Get<sites::frmActiveAlarms>();
  EXPECT_EQ(list.txtSite.Text(), "40000 (South)");
  EXPECT_EQ(Items(list.lstAlarms), (std::vector<std::string>{"Tower Light", "Load HVD"}));
}

// Auto-answer on: the unit calls in, its site turns red with the reported
// flags; a later session with the site clears them.
TEST_F(AlarmReport, CallInWhileAnsweringIsStoredAndALaterSessionClearsIt) {
  testkit::SimulatedSite site(h, sim::UnitConfig{.address = 12, .alarm_flags = "0100000100000000"});
  site.AttachSerial(/*modem=*/true);
  testkit::SelectSite(h.console, north, {.name = "North", .site_num = 12});
  auto& main = h.console.Get<app::frmMain>();
  std::string after_call;
  h.rt.After(5000, [&] { EXPECT_TRUE(site.StartAlarmCall()); });
  h.rt.After(30'000, [&] {
    after_call = Stored(north);
    h.console.cmd.Cmd[lnk::kDial] = "ATDT5550100\r";
    lnk::StartModemCall(h.console);
  });
  h.rt.After(90'000, [&] {
    EXPECT_TRUE(h.console.st.Online);
    main.mnuDisconnect.Choose();
  });
  h.rt.After(100'000, [&] { h.console.st.StopReceive = true; });
  main.mnuOptionsAnswer.Click();  // hidden entry; checked: the modem answers at the ring count

  ASSERT_FALSE(site.Modem()->CommandLines().empty());
  EXPECT_EQ(site.Modem()->CommandLines().front(), "AT&F1S0=2");
  EXPECT_EQ(after_call, "0100000100000000 2");
  auto& window = static_cast<app::frmAlarm&>(*h.console.AllForms().back());
  EXPECT_EQ(window.Name() + " " + window.txtSite.Text(), "frmAlarm 12  (North)");
  EXPECT_EQ(Items(window.lstAlarms), (std::vector<std::string>{"Shelter Temperature Final", "Door Open"}));
  EXPECT_EQ(Stored(north), "0000000000000000 0");
}

TEST_F(AlarmReport, SiteWindowsOfTheMenuNeedASelectedSite) {
  auto& main = h.console.Get<app::frmMain>();
  h.rt.Operator()
      .ExpectMsgBox("First select a site to view active alarms list.\r\n"
                    "You may select a site by left-clicking it on the map.")
      .ExpectMsgBox("First select a site to view last connection log.\r\n"
                    "You may select a site by left-clicking it on the map.");
  main.mnuActiveAlarms.Click();  // a hidden entry
  main.mnuLastLog.Choose();
}

}  // namespace
