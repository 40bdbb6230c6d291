// The automatic callout run: its schedule, the window between two sites and
// whole runs against the simulated modem and unit on virtual time.
#include <gtest/gtest.h>

#include "app/callout_run.h"
#include "app/frm_main.h"
#include "app/frm_next_callout.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/receive_loop.h"
#include "link/reply_state_machine.h"
#include "simulated_site.h"
#include "site_rows.h"
#include "sites/frm_map.h"
#include "sites/site_queries.h"
#include "unit/status_export.h"

namespace {

TEST(CalloutSchedule, MatchesTheSetMinuteOnTheChosenDaysByTheirNumber) {
  struct Case {
    int day, hour, minute;  // 2 March 2026 is a Monday
    bool all_days;
    const char* days;
    bool due;
  };
  const Case cases[] = {{2, 14, 0, false, "Monday", true},         {3, 14, 0, false, "Monday", false},
                        {3, 14, 0, true, "", true},                {2, 14, 1, false, "Monday", false},
                        {2, 15, 0, true, "", false},               {6, 14, 0, false, "MondayFriday", true},
                        {7, 14, 0, false, "MondayFriday", false},  {8, 14, 0, false, "SundaySaturday", true}};
  for (const Case& k : cases)
    EXPECT_EQ(app::CalloutDue(vb::MakeDateTime(2026, 3, k.day, k.hour, k.minute, 30), 14, 0, k.all_days, k.days),
              k.due) << k.day << " " << k.hour << ":" << k.minute << " " << k.days;
}

class CalloutRun : public ::testing::Test {
 protected:
  explicit CalloutRun(vb::DateTime start = vb::MakeDateTime(2026, 3, 2, 14, 0, 0)) : h(start) {}
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    h.SetSetting("CalloutDays", "MondayWednesday");
    h.SetSetting("optCalloutAllDays", "False");
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }
  void AddCalloutSites() {
    for (int n : {101, 102, 103})
      ids.push_back(testkit::AddSite(h.console, {.name = n == 101 ? "Alpha" : n == 102 ? "Bravo" : "Charlie",
                                                 .phone = "555-0" + std::to_string(n), .site_num = n,
                                                 .cust_num = n, .callout = true}));
  }

  testkit::ConsoleHarness h;
  std::vector<std::int32_t> ids;
};

// After a hang-up, or an escape the modem never answered, the window names
// the very next site (a Null name in empty brackets); Cancel ends the run.
TEST_F(CalloutRun, WindowNamesTheNextSiteAndCancelEndsTheRun) {
  ASSERT_TRUE(h.Start());
  AddCalloutSites();
  h.console.Db.Execute("UPDATE tSites SET SiteName=NULL WHERE SiteID=?", {ids[1]});
  for (int state : {lnk::kHangUp, lnk::kEscape}) {
    h.serial.SetPortOpen(true);
    h.console.st.CalloutActive = true;
    h.console.rsCallout = h.console.Db.OpenRecordset(sites::CalloutListQuery());
    std::string shown;
    h.rt.Operator().OnModal("frmNextCallout", [&](ui::Form& f) {
      shown = static_cast<app::frmNextCallout&>(f).txtSite.Text();
      static_cast<app::frmNextCallout&>(f).cmdCancel.Click();
    });
    h.console.st.CmdState = state;
    state == lnk::kHangUp ? lnk::ProcessReply(h.console) : lnk::HandleReplyTimeout(h.console);
    EXPECT_EQ(shown, "102 ()") << state;
    EXPECT_FALSE(h.console.st.CalloutActive || h.console.rsCallout.IsOpen()) << state;
  }
  EXPECT_EQ(h.serial.AllWritten().find("ATDT"), std::string::npos);
}

TEST_F(CalloutRun, RunWithoutCalloutSitesDialsNothingAndEndsAtTheNextHangUp) {
  ASSERT_TRUE(h.Start());
  testkit::AddSite(h.console, {});  // callout off
  h.console.Get<app::frmMain>().tmrCallout_Timer();
  EXPECT_TRUE(h.console.st.CalloutActive && h.serial.Writes().empty());
  h.console.st.CmdState = lnk::kHangUp;
  lnk::ProcessReply(h.console);
  EXPECT_FALSE(h.console.st.CalloutActive);
}

class CalloutRunFromTheTimer : public CalloutRun {
 protected:
  CalloutRunFromTheTimer() : CalloutRun(vb::MakeDateTime(2026, 3, 2, 13, 59, 30)) {}
};

// Monday 14:00: the first site answers and its status is exported, the
// second is busy, the third never answers; the window dials on by itself,
// and after the last site the modem answers calls again. Tuesday passes
// without a call; on Wednesday the run starts again.
TEST_F(CalloutRunFromTheTimer, CallsEverySiteExportsBetweenCallsAndAnswersCallsAgain) {
  h.SetSetting("chkAutoCallout", "1");
  h.rt.SetTimeLimit(vb::MakeDateTime(2026, 3, 5, 0, 0, 0));
  ASSERT_TRUE(h.Start());
  AddCalloutSites();
  h.console.Get<app::frmMain>().mnuOptionsAnswer.Checked = true;
  h.console.Get<sites::frmMap>().Show();
  using sim::DialOutcome;
  testkit::SimulatedSite site(h, {});
  site.AttachSerial(/*modem=*/true, {.outcome_by_number = {{"5550101", DialOutcome::kConnect},
                                                           {"5550102", DialOutcome::kBusy},
                                                           {"5550103", DialOutcome::kNoAnswer}}});
  auto exported_site = [&] {  // line 158 of the export
    auto text = h.folder.ReadFile(unit::kStatusExportFileName);
    if (!text) return std::string("(none)");
    size_t at = 0;
    for (int line = 1; line < 158; ++line) at = text->find("\r\n", at) + 2;
    return text->substr(at, text->find("\r\n", at) - at);
  };
  std::vector<std::string> at_dial;
  site.Modem()->on_note = [&](const std::string& note) {
    if (note.rfind("modem: dialling", 0) != 0) return;
    at_dial.push_back(exported_site());
    if (at_dial.size() == 4) h.console.st.StopReceive = true;  // Wednesday's run began
  };
  h.rt.At(vb::MakeDateTime(2026, 3, 4, 13, 59, 0), [&] {
    EXPECT_EQ(at_dial.size(), 3u);
    EXPECT_EQ(exported_site(), "103(Charlie)");
    EXPECT_FALSE(h.console.st.CalloutActive);
    EXPECT_EQ(site.Modem()->CommandLines().back(), "AT&F1S0=2");  // answering calls again
  });
  h.Run(2 * 86400 + 120);

  EXPECT_EQ(site.Modem()->Dialled(), (std::vector<std::string>{"5550101", "5550102", "5550103", "5550101"}));
  EXPECT_EQ(at_dial, (std::vector<std::string>{"(none)", "101(Alpha)", "102(Bravo)", "103(Charlie)"}));
  std::string colours;  // answered, busy, no answer
  for (auto id : ids) colours += testkit::SiteField(h.console, id, "SiteColor");
  EXPECT_EQ(colours, "011");
  EXPECT_NE(testkit::SiteField(h.console, ids[0], "ConnectLog").find("Disconnecting..."), std::string::npos);
}

}  // namespace
