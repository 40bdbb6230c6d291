// Alarm reports called in by units, the alarm state a session leaves, and
// the menu's site windows.
#include <gtest/gtest.h>

#include <set>

#include "app/frm_alarm.h"
#include "app/frm_main.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "simulated_site.h"
#include "sites/alarm_report.h"
#include "sites/frm_active_alarms.h"
#include "sites/frm_connect_log.h"
#include "sites/frm_map.h"
#include "site_rows.h"
#include "alarm_windows.h"

namespace {

std::string Items(const ui::ItemList& list) {
  std::string items;
  for (int i = 0; i < list.ListCount(); ++i) items += (i > 0 ? ", " : "") + list.List(i);
  return items;
}

class AlarmReport : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
    north = testkit::AddSite(h.console, {.name = "North", .site_num = 12});
    south = testkit::AddSite(h.console, {.name = "South", .site_num = 40000});
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }
  std::string Stored(std::int32_t id) {
    return testkit::SiteField(h.console, id, "Alarms") + " " + testkit::SiteField(h.console, id, "SiteColor");
  }

  testkit::ConsoleHarness h;
  std::int32_t north = 0, south = 0;
};

TEST_F(AlarmReport, ShowsEachReportInAWindowOfItsOwnAndStoresOnlyWholeFlags) {
  struct Case {
    const char* report;
    const char* site;
    const char* alarms;
    const char* rows;  // North's, then South's flags and colour
    const char* when = "2 / 21 14 : 30";
  };
  const char* kUnchanged = "0000000000000001 0 | 0000000000000001 0";
  const Case cases[] = {
      {"Alarm Report 12 2 21 14 30 0100000100000000", "12  (North)", "Shelter Temperature Final, Door Open",
       "0100000100000000 2 | 0000000000000001 0"},
      {"Alarm Report\r\nSite: 12\r\nDate: 2/21\r\nTime: 14:30\r\nAlarms: 1000000000000001", "12  (North)",
       "AUX 1 / AUX 2, Shelter Temperature Pre", "1000000000000001 2 | 0000000000000001 0"},
      {"Alarm Report 40000 2 21 14 30 0000000000000000", "40000  (South)", "",
       "0000000000000001 0 | 0000000000000000 2"},
      {"Alarm Report\r\nSite: 000012\r\nDate: 2/21\r\nTime: 14:30\r\nAlarms: 0000000100000000",
       "000012  (North)", "Door Open", "0000000100000000 2 | 0000000000000001 0"},
      // Reports that cannot be stored whole change no row.
      {"Alarm Report 999 2 21 14 30 0100000100000000", "999", "Shelter Temperature Final, Door Open", kUnchanged},
      {"Alarm Report 12 2 21 14 30", "12  (North)", "", kUnchanged},
      {"Alarm Report 12 2 21 14 30 01001", "12  (North)", "Shelter Temperature Final, Inverter", kUnchanged},
      {"Alarm Report 12 2 21 14 30 01000001000000001", "12  (North)", "Shelter Temperature Final, Door Open",
       kUnchanged},  // seventeen: garbled
      {"Alarm Report 0065536 2 21 14 30 0100000100000000", "0065536", "Shelter Temperature Final, Door Open",
       kUnchanged},  // no unit's number, leading zeros or not
      // Whole flags, but a date or time garbled on the line.
      {"Alarm Report 12 2 21 14 -3 0100000100000000", "12  (North)", "Shelter Temperature Final, Door Open",
       kUnchanged, "2 / 21 14 : -3"},
      {"Alarm Report\r\nSite: 12\r\nDate: 2/-\r\nTime: 14:30\r\nAlarms: 0100000100000000", "12  (North)",
       "Shelter Temperature Final, Door Open", kUnchanged, "2 / - 14 : 30"},
  };
  std::set<ui::Form*> windows;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.report);
    h.console.Db.Execute("UPDATE tSites SET Alarms='0000000000000001', SiteColor=0");
    h.console.st.RxText = std::string("RING\r\nCONNECT 9600\r\n") + k.report + "\r\nNO CARRIER\r\n";
    sites::ProcessAlarmReport(h.console);
    EXPECT_EQ(h.console.st.RxText + h.console.st.RxBuffer, "");
    auto& w = static_cast<app::frmAlarm&>(*h.console.AllForms().back());
    windows.insert(&w);
    EXPECT_EQ(w.txtSite.Text() + " " + w.txtDate.Text() + " " + w.txtTime.Text(),
              std::string(k.site) + " " + k.when);
    EXPECT_EQ(Items(w.lstAlarms), k.alarms);
    EXPECT_EQ(Stored(north) + " | " + Stored(south), k.rows);
  }
  for (ui::Form* w : windows) EXPECT_TRUE(w->Visible());
  EXPECT_EQ(windows.size(), std::size(cases));
}

// Calls whose "NO CARRIER" was lost leave their reports in front of the
// next: each report opens its own window and reads only its own text, so a
// cut-off report shows what it got and stores nothing, and never takes the
// numbers or flags of the whole report behind it.
TEST_F(AlarmReport, ACutOffReportNeverSwallowsTheWholeReportThatFollows) {
  const std::string from_north = "Alarm Report\r\nSite: 12\r\nDate: 2/21\r\nTime: 14:30\r\nAlarms: 0100000100000000\r\n";
  const struct {
    std::string text;
    const char* windows;  // each window's site, date, time and alarms
    const char* rows;     // North's, then South's flags and colour
  } cases[] = {
      {"Alarm Report\r\nSite: 40000\r\nDate: 2/21\r\n" + from_north,
       "40000  (South) 2 / 21 --- : --- [] | 12  (North) 2 / 21 14 : 30 [Shelter Temperature Final, Door Open]",
       "0100000100000000 2 | 0000000000000001 0"},
      {"Alarm Report\r\nSite: 40000\r\nDate: 2/21\r\nTime: 9:05\r\nAlarms: 0010" + from_north,
       "40000  (South) 2 / 21 9 : 05 [Tower Light] | 12  (North) 2 / 21 14 : 30 [Shelter Temperature Final, Door Open]",
       "0100000100000000 2 | 0000000000000001 0"},
      {from_north + "Alarm Report\r\nSite: 40000\r\nDate: 2/21\r\nTime: 9:05\r\nAlarms: 00100000",
       "12  (North) 2 / 21 14 : 30 [Shelter Temperature Final, Door Open] | 40000  (South) 2 / 21 9 : 05 [Tower Light]",
       "0100000100000000 2 | 0000000000000001 0"},
      {from_north + "NO CARRIER\r\nRING\r\nCONNECT 2400\r\nAlarm Report\r\nSite: 40000\r\nDate: 3/1\r\n"
               "Time: 7:15\r\nAlarms: 1000000000000000\r\n",
       "12  (North) 2 / 21 14 : 30 [Shelter Temperature Final, Door Open] | 40000  (South) 3 / 1 7 : 15 [AUX 1 / AUX 2]",
       "0100000100000000 2 | 1000000000000000 2"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.text);
    h.console.Db.Execute("UPDATE tSites SET Alarms='0000000000000001', SiteColor=0");
    const std::size_t before = h.console.AllForms().size();
    h.console.st.RxText = "RING\r\nCONNECT 9600\r\n" + k.text + "NO CARRIER\r\n";
    sites::ProcessAlarmReport(h.console);
    EXPECT_EQ(h.console.st.RxText + h.console.st.RxBuffer, "");
    std::string windows;
    for (std::size_t i = before; i < h.console.AllForms().size(); ++i) {
      auto& w = static_cast<app::frmAlarm&>(*h.console.AllForms()[i]);
      windows += (windows.empty() ? "" : " | ") + w.txtSite.Text() + " " + w.txtDate.Text() + " " +
                 w.txtTime.Text() + " [" + Items(w.lstAlarms) + "]";
    }
    EXPECT_EQ(windows, k.windows);
    EXPECT_EQ(Stored(north) + " | " + Stored(south), k.rows);
  }
}

// The menu's two site windows show what the site's row holds.
TEST_F(AlarmReport, ActiveAlarmsAndConnectionLogShowTheSelectedSitesRow) {
  const struct {
    std::int32_t SiteNum;
    const char* alarms;       // nullptr: Null
    const char* connect_log;  // nullptr: Null
    const char* site;
    const char* listed;
    const char* log;
  } cases[] = {
      {12, "0100000100000001", "Session start: 2/21/2026\r\nDisconnecting...\r\n", "12 (Home)",
       "Shelter Temperature Final, Door Open, Shelter Temperature Pre",
       "Session start: 2/21/2026\r\nDisconnecting...\r\n"},
      {-25536, "1000000001100000", "No answer.\r\n", "40000 (Home)", "AUX 1 / AUX 2, LLVA, LVA",
       "No answer.\r\n"},
      {12, "01", nullptr, "12 (Home)", "", ""},
      {12, nullptr, "", "12 (Home)", "", ""},
  };
  auto& main = h.console.Get<app::frmMain>();
  for (const auto& k : cases) {
    SCOPED_TRACE(k.listed);
    h.console.Db.Execute("UPDATE tSites SET SiteNum=?, Alarms=?, ConnectLog=? WHERE SiteID=?",
                         {k.SiteNum, k.alarms ? platform::Variant(k.alarms) : platform::Variant(),
                          k.connect_log ? platform::Variant(k.connect_log) : platform::Variant(), north});
    testkit::SelectSite(h.console, north, {.name = "Home", .site_num = 12});
    std::string site, listed, log;
    h.rt.Operator()
        .OnModal("frmActiveAlarms",
                 [&](ui::Form& f) {
                   auto& w = static_cast<sites::frmActiveAlarms&>(f);
                   site = w.txtSite.Text();
                   listed = Items(w.lstAlarms);
                   w.cmdClose.Press();
                 })
        .OnModal("frmConnectLog", [&](ui::Form& f) {
          auto& w = static_cast<sites::frmConnectLog&>(f);
          log = w.txtLog.Text();
          w.cmdClose.Press();
        });
    main.mnuActiveAlarms.Click();
    main.mnuLastLog.Choose();
    EXPECT_EQ(site + " | " + listed + " | " + log,
              std::string(k.site) + " | " + k.listed + " | " + k.log);
  }
}

// Auto-answer on: the unit calls in, its site turns red with the reported
// flags; a later session with the site clears them.
TEST_F(AlarmReport, CallInWhileAnsweringIsStoredAndALaterSessionClearsIt) {
  testkit::SimulatedSite site(h, sim::UnitConfig{.address = 12, .alarm_flags = "0100000100000000"});
  site.AttachSerial(/*modem=*/true);
  testkit::SelectSite(h.console, north, {.name = "North", .site_num = 12});
  auto& main = h.console.Get<app::frmMain>();
  // North alone at the centre of the shown map, drawn at its bitmap's size.
  h.console.Db.Execute("UPDATE tSites SET SiteLatMin=250 WHERE SiteID=?", {south});
  auto& map = h.console.Get<sites::frmMap>();
  map.Show();
  map.Move(0, 0, 12000, 9000);
  std::set<ui::Color> dots;  // North's dot over two flash ticks after the call
  const auto dot_at_centre = [&] {
    for (const auto& c : map.Drawing().OfKind<ui::DrawCircle>())
      if (c.radius == 75 && c.x == 6000 && c.y == 4500) dots.insert(c.fill_color);
  };
  std::string after_call;
  h.rt.After(5000, [&] { EXPECT_TRUE(site.StartAlarmCall()); });
  h.rt.After(28'000, dot_at_centre);
  h.rt.After(29'000, dot_at_centre);
  h.rt.After(30'000, [&] {
    after_call = Stored(north);
    h.console.cmd.Cmd[lnk::kDial] = "ATDT5550100\r";
    lnk::StartModemCall(h.console);
  });
  h.rt.After(90'000, [&] { main.mnuDisconnect.Choose(); });
  h.rt.After(100'000, [&] { h.console.st.StopReceive = true; });
  main.mnuOptionsAnswer.Click();  // a hidden entry; checked, the modem answers at ring 2

  ASSERT_FALSE(site.Modem()->CommandLines().empty());
  EXPECT_EQ(site.Modem()->CommandLines().front(), "AT&F1S0=2");
  EXPECT_EQ(after_call, "0100000100000000 2");
  EXPECT_EQ(dots, (std::set<ui::Color>{ui::vbWhite, ui::RGB(255, 0, 0)})) << "the icon blinks red";
  auto& window = static_cast<app::frmAlarm&>(*h.console.AllForms().back());
  EXPECT_EQ(window.Name() + " " + window.txtSite.Text(), "frmAlarm 12  (North)");
  EXPECT_EQ(Stored(north), "0000000000000000 0");
  std::string log;  // the session's log, as the menu shows it afterwards
  h.rt.Operator().OnModal("frmConnectLog", [&](ui::Form& f) {
    auto& w = static_cast<sites::frmConnectLog&>(f);
    log = w.txtLog.Text();
    w.cmdClose.Press();
  });
  main.mnuLastLog.Choose();
  EXPECT_EQ(log.rfind("Session start: ", 0), 0u) << log;
  EXPECT_NE(log.find("Disconnecting..."), std::string::npos) << log;
}

// A network session leaves its socket as the link; the modem set up to answer
// afterwards is still the one heard, so the call-in is stored.
TEST_F(AlarmReport, AutoAnswerAfterANetworkSessionHearsTheModem) {
  auto& main = h.console.Get<app::frmMain>();
  {
    testkit::SimulatedSite net(h, sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = 40100});
    net.AttachTcp();
    h.rt.After(20'000, [&] { main.mnuDisconnect.Choose(); });
    h.rt.After(30'000, [&] { h.console.st.StopReceive = true; });
    main.mnuConnNet.Choose();
    ASSERT_EQ(h.tcp.ConnectCount(), 1);
  }
  h.tcp.peer = nullptr;
  testkit::SimulatedSite site(h, sim::UnitConfig{.address = 12, .alarm_flags = "0100000100000000"});
  site.AttachSerial(/*modem=*/true);
  h.rt.After(5000, [&] { EXPECT_TRUE(site.StartAlarmCall()); });
  h.rt.After(40'000, [&] { h.console.st.StopReceive = true; });
  main.mnuOptionsAnswer.Click();
  EXPECT_EQ(Stored(north), "0100000100000000 2");
  std::string shown;
  for (const app::frmAlarm* w : testkit::AlarmWindows(h.console)) shown += w->txtSite.Text();
  EXPECT_EQ(shown, "12  (North)");
}

TEST_F(AlarmReport, SiteWindowsOfTheMenuNeedASelectedSite) {
  const std::string hint = "\r\nYou may select a site by left-clicking it on the map.";
  h.rt.Operator()
      .ExpectMsgBox("First select a site to view active alarms list." + hint)
      .ExpectMsgBox("First select a site to view last connection log." + hint);
  h.console.Get<app::frmMain>().mnuActiveAlarms.Click();  // a hidden entry
  h.console.Get<app::frmMain>().mnuLastLog.Choose();
}

}  // namespace
