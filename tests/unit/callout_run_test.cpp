// The automatic callout run: its schedule, the window between two sites and
// whole runs against the simulated modem and unit on virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <regex>
#include <functional>
#include <string_view>
#include <vector>

#include "app/callout_run.h"
#include "app/frm_debug.h"
#include "app/frm_main.h"
#include "app/frm_next_callout.h"
#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/line_use.h"
#include "link/modem_call.h"
#include "link/receive_loop.h"
#include "link/reply_state_machine.h"
#include "simulated_site.h"
#include "site_rows.h"
#include "sites/frm_map.h"
#include "sites/site_queries.h"
#include "unit/status_export.h"
#include "alarm_windows.h"

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

// When each occurrence of `text` began in what the console wrote to the port
// (ms of the wall clock).
std::vector<std::int64_t> WrittenAt(const testkit::FakeSerialPort& port, std::string_view text) {
  std::string all;
  std::vector<std::int64_t> at;
  for (const auto& w : port.Writes()) {
    all += w.bytes;
    at.insert(at.end(), w.bytes.size(), w.at.ms);
  }
  std::vector<std::int64_t> out;
  for (size_t p = all.find(text); p != std::string::npos; p = all.find(text, p + 1)) out.push_back(at[p]);
  return out;
}

constexpr const char* kReportedFlags = "0100000100000000";

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
  std::string Field(std::int32_t id, const char* field) { return testkit::SiteField(h.console, id, field); }
  std::string OnlineLog() { return h.console.Get<app::frmProgress>().txtLog.Text(); }
  // A site's log with the date and time of each line saying the run stopped
  // before calling it taken out.
  std::string Undated(std::int32_t id) {
    static const std::regex stamp(R"(\d+/\d+/\d{4} \d+:\d\d:\d\d [AP]M (?=Automatic callout stopped))");
    return std::regex_replace(Field(id, "ConnectLog"), stamp, "");
  }
  static constexpr const char* kNotCalled =
      "Automatic callout stopped before calling this site: Invalid COM port setting -- check modem settings.\r\n";
  static std::string StoppedMessage(const std::vector<std::string>& sites) {
    std::string text =
        "The automatic callout stopped before calling every site.\r\nInvalid COM port setting -- check modem "
        "settings.\r\n\r\nSites not called:";
    for (const std::string& site : sites) text += "\r\n" + site;
    return text;
  }
  // Starts a run as the schedule does at its minute and lets it go to its
  // end; the receive loop it entered is then stopped.
  void RunToTheEnd() {
    auto& st = h.console.st;
    bool running = true;
    std::function<void()> watch = [&] {
      if (!running) return;
      if (!st.CalloutActive) st.StopReceive = true;
      else h.rt.After(10'000, watch);
    };
    h.rt.After(10'000, watch);
    h.console.Get<app::frmMain>().tmrCallout_Timer();
    EXPECT_TRUE(h.rt.RunUntil([&] { return !st.CalloutActive && st.ReceiveLoopDepth == 0; }, 3'600'000));
    running = false;
    h.rt.RunFor(10'000);  // the watch sees the run is over
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

// A run that can call nobody (no site has callout on, or the modem's port
// cannot be opened) ends at once as a run's end does, touches no site, and
// leaves the operator's next session alone: it is not hung up once its
// status is read.
struct NobodyToDial {
  const char* name;
  bool callout_sites;
  bool port_missing;
};

void PrintTo(const NobodyToDial& k, std::ostream* os) { *os << k.name; }

class RunThatDialsNobody : public CalloutRun, public ::testing::WithParamInterface<NobodyToDial> {};

TEST_P(RunThatDialsNobody, EndsAtOnceAndLeavesTheNextSessionAlone) {
  ASSERT_TRUE(h.Start());
  const NobodyToDial& k = GetParam();
  if (k.callout_sites) AddCalloutSites();
  testkit::SiteRow own;  // North, callout off
  const std::int32_t own_id = testkit::AddSite(h.console, own);
  h.console.Get<app::frmMain>().mnuOptionsAnswer.Checked = true;
  if (k.port_missing) {
    h.serial.missing_ports = {2};
    h.rt.Operator().ExpectMsgBox(StoppedMessage({"101 (Alpha)", "102 (Bravo)", "103 (Charlie)"}));
  }
  RunToTheEnd();
  EXPECT_FALSE(h.console.st.CalloutActive);
  EXPECT_FALSE(h.console.rsCallout.IsOpen());
  EXPECT_TRUE(h.serial.Writes().empty());
  for (auto id : ids)
    EXPECT_EQ(Field(id, "SiteColor") + "|" + Undated(id), std::string("0|") + (k.port_missing ? kNotCalled : ""))
        << id;
  if (k.port_missing) {
    EXPECT_NE(OnlineLog().find("Invalid COM port setting -- check modem settings.\r\n"), std::string::npos);
  }

  h.serial.missing_ports.clear();
  testkit::SimulatedSite site(h, {});
  site.AttachSerial(/*modem=*/true);
  testkit::SelectSite(h.console, own_id, own);
  h.console.cmd.Cmd[lnk::kDial] = "ATDT5550100\r";
  bool online_later = false;
  h.rt.After(90'000, [&] {
    online_later = h.console.st.Online;
    h.console.st.StopReceive = true;
  });
  lnk::StartModemCall(h.console);
  EXPECT_TRUE(online_later) << "the session was hung up by itself";
  EXPECT_EQ(site.Unit().Commands(), (std::vector<std::string>{"D", "U", "V"}));
}

INSTANTIATE_TEST_SUITE_P(, RunThatDialsNobody,
                         ::testing::Values(NobodyToDial{"NoCalloutSite", false, false},
                                           NobodyToDial{"PortMissing", true, true}),
                         [](const auto& param) { return std::string(param.param.name); });

// Every final failure of a dial is a failed call: the site's log, and its
// icon light red unless it shows an alarm (a call that never connected
// cannot have cleared the stored alarms); the run goes on each time.
class FailedCallsOfARun : public CalloutRun, public ::testing::WithParamInterface<bool> {};

TEST_P(FailedCallsOfARun, AreRecordedAndLeaveTheStoredAlarms) {
  const bool in_alarm = GetParam();
  ASSERT_TRUE(h.Start());
  AddCalloutSites();
  if (in_alarm)
    h.console.Db.Execute("UPDATE tSites SET Alarms=?, SiteColor=2", {std::string(kReportedFlags)});
  using sim::DialOutcome;
  testkit::SimulatedSite site(h, {});
  site.AttachSerial(/*modem=*/true, {.outcome_by_number = {{"5550101", DialOutcome::kBusy},
                                                           {"5550102", DialOutcome::kNoCarrier},
                                                           {"5550103", DialOutcome::kNoAnswer}}});
  RunToTheEnd();
  EXPECT_EQ(site.Modem()->Dialled(), (std::vector<std::string>{"5550101", "5550102", "5550103"}));
  const char* ends[] = {"\r\nBUSY\r\n", "\r\nConnect failed.\r\n", "\r\nNo answer.\r\n"};
  for (size_t i = 0; i < ids.size(); ++i) {
    EXPECT_NE(Field(ids[i], "ConnectLog").find(ends[i]), std::string::npos) << ends[i];
    EXPECT_EQ(Field(ids[i], "SiteColor"), in_alarm ? "2" : "1") << ends[i];
    EXPECT_EQ(Field(ids[i], "Alarms"), in_alarm ? kReportedFlags : "") << ends[i];
  }
}

INSTANTIATE_TEST_SUITE_P(, FailedCallsOfARun, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "SitesInAlarm" : "SitesNormal"; });

// Nobody is there to answer a message box during a run: a session's message
// goes into the called site's log and the run goes on; the box's default
// button is its answer. Outside a run the operator sees the box.
TEST_F(CalloutRun, MessagesOfARunGoIntoTheCalledSitesLogAndTheRunGoesOn) {
  ASSERT_TRUE(h.Start());
  AddCalloutSites();
  testkit::SimulatedSite site(h, {});
  site.AttachSerial(/*modem=*/true);
  site.Unit().Faults().missing_dump_addresses = {{200, -1}};
  // No export can be written either; that message comes after the hang-up.
  std::filesystem::create_directory(h.folder.FilePath(unit::kStatusExportFileName) + ".tmp");
  RunToTheEnd();
  EXPECT_EQ(site.Modem()->Dialled().size(), 3u);
  for (auto id : ids) {
    const std::string log = Field(id, "ConnectLog");
    EXPECT_NE(log.find("\r\nError retrieving EEPROM data.\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Disconnecting...\r\nCannot write"), std::string::npos) << log;
  }
  EXPECT_TRUE(h.rt.Operator().MsgBoxPrompts().empty());

  struct Box {
    int buttons, answer;
  };
  const Box boxes[] = {{ui::vbOKOnly, ui::vbOK},
                       {ui::vbOKCancel + ui::vbExclamation, ui::vbOK},
                       {ui::vbYesNo + ui::vbQuestion, ui::vbYes},
                       {ui::vbYesNo + ui::vbDefaultButton2, ui::vbNo},
                       {ui::vbYesNoCancel + 2 * ui::vbDefaultButton2, ui::vbCancel},
                       {ui::vbAbortRetryIgnore + 2 * ui::vbDefaultButton2, ui::vbIgnore},
                       {ui::vbRetryCancel, ui::vbRetry},
                       // a default beyond the box's buttons is its last one
                       {ui::vbYesNo + 2 * ui::vbDefaultButton2, ui::vbNo},
                       {ui::vbOKOnly + ui::vbDefaultButton2, ui::vbOK}};
  h.console.st.CalloutActive = true;
  for (const Box& b : boxes) {
    const std::string prompt = "Box " + std::to_string(b.buttons);
    EXPECT_EQ(h.rt.MsgBox(prompt, b.buttons, "VKX-4700"), b.answer) << prompt;
    EXPECT_NE(OnlineLog().find(prompt + "\r\n"), std::string::npos) << prompt;
  }
  EXPECT_TRUE(h.rt.Operator().MsgBoxPrompts().empty());
  h.console.st.CalloutActive = false;
  h.rt.Operator().ExpectMsgBox("Asked", ui::vbNo);
  EXPECT_EQ(h.rt.MsgBox("Asked", ui::vbYesNo, "VKX-4700"), ui::vbNo);
}

class CalloutRunFromTheTimer : public CalloutRun {
 protected:
  CalloutRunFromTheTimer() : CalloutRun(vb::MakeDateTime(2026, 3, 2, 13, 59, 30)) {}
  void SetUp() override {
    CalloutRun::SetUp();
    h.SetSetting("chkAutoCallout", "1");
  }
};

// Monday 14:00: the first site answers and its status is exported, the
// second is busy, the third never answers; the window dials on by itself,
// and after the last site the modem answers calls again. Tuesday passes
// without a call; on Wednesday the run starts again. The run exports with
// the map shown or hidden; after a call that did not connect the export of
// the last site reached stays.
class WholeRunFromTheTimer : public CalloutRunFromTheTimer, public ::testing::WithParamInterface<bool> {};

TEST_P(WholeRunFromTheTimer, CallsEverySiteExportsBetweenCallsAndAnswersCallsAgain) {
  const bool map_shown = GetParam();
  h.rt.SetTimeLimit(vb::MakeDateTime(2026, 3, 5, 0, 0, 0));
  ASSERT_TRUE(h.Start());
  AddCalloutSites();
  h.console.Get<app::frmMain>().mnuOptionsAnswer.Checked = true;
  if (map_shown) h.console.Get<sites::frmMap>().Show();
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
  std::vector<std::int64_t> status_asked;
  site.Unit().on_note = [&](const std::string& note) {
    if (note == "V") status_asked.push_back(h.rt.Now().ms);
  };
  h.rt.At(vb::MakeDateTime(2026, 3, 4, 13, 59, 0), [&] {
    EXPECT_EQ(at_dial.size(), 3u);
    EXPECT_EQ(exported_site(), "101(Alpha)");
    EXPECT_FALSE(h.console.st.CalloutActive);
    EXPECT_EQ(site.Modem()->CommandLines().back(), "AT&F1S0=2");  // answering calls again
  });
  h.Run(2 * 86400 + 120);

  EXPECT_EQ(site.Modem()->Dialled(), (std::vector<std::string>{"5550101", "5550102", "5550103", "5550101"}));
  for (const char* dial : {"ATDT5550101\r", "ATDT5550102\r", "ATDT5550103\r"})
    EXPECT_EQ(WrittenAt(h.serial, dial).size(), dial[10] == '1' ? 2u : 1u) << "the number's digits only";
  EXPECT_EQ(at_dial, (std::vector<std::string>{"(none)", "101(Alpha)", "101(Alpha)", "101(Alpha)"}));
  std::string colours;  // answered, busy, no answer
  for (auto id : ids) colours += Field(id, "SiteColor");
  EXPECT_EQ(colours, "011");
  EXPECT_NE(Field(ids[0], "ConnectLog").find("Disconnecting..."), std::string::npos);

  // The escape's guard time after the unit's status, before "+++".
  ASSERT_EQ(status_asked.size(), 1u);
  const auto escapes = WrittenAt(h.serial, "+++");
  auto escape = std::upper_bound(escapes.begin(), escapes.end(), status_asked[0]);
  ASSERT_NE(escape, escapes.end());
  EXPECT_GE(*escape - status_asked[0], 1500);
  EXPECT_LT(*escape - status_asked[0], 2000);
  // Auto-answer set up again 8 s after the run's last "ATH0".
  const auto rearmed = WrittenAt(h.serial, "AT&F1S0=2\r");
  ASSERT_EQ(rearmed.size(), 1u);
  const auto hang_ups = WrittenAt(h.serial, "ATH0\r");
  auto last = std::lower_bound(hang_ups.begin(), hang_ups.end(), rearmed[0]);
  ASSERT_NE(last, hang_ups.begin());
  EXPECT_GE(rearmed[0] - *std::prev(last), 8000);
  EXPECT_LT(rearmed[0] - *std::prev(last), 8500);
}

INSTANTIATE_TEST_SUITE_P(, WholeRunFromTheTimer, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "MapShown" : "MapHidden"; });

// The modem's port vanishes after the first site: the run stops at its next
// dial, and the operator learns it from a message when the run ends and from
// a line in the log of each site it never called.
TEST_F(CalloutRun, RunStoppedByAVanishedPortSaysWhichSitesWereNotCalled) {
  ASSERT_TRUE(h.Start());
  AddCalloutSites();
  h.console.Db.Execute("UPDATE tSites SET ConnectLog='last week\r\n' WHERE SiteID=?", {ids[2]});
  testkit::SimulatedSite site(h, {});
  site.AttachSerial(/*modem=*/true);
  site.Modem()->on_note = [&](const std::string& note) {
    if (note != "modem: hung up" || !h.serial.missing_ports.empty()) return;
    h.serial.missing_ports = {2};  // the adapter is pulled during the countdown
    h.rt.After(1000, [&] { h.serial.SetPortOpen(false); });
  };
  h.rt.Operator().ExpectMsgBox(StoppedMessage({"102 (Bravo)", "103 (Charlie)"}), ui::vbOK, "VKX-4700");
  RunToTheEnd();
  EXPECT_EQ(site.Modem()->Dialled(), (std::vector<std::string>{"5550101"}));
  EXPECT_NE(Field(ids[0], "ConnectLog").find("Disconnecting..."), std::string::npos);
  EXPECT_EQ(Field(ids[0], "ConnectLog").find("Automatic callout stopped"), std::string::npos);
  EXPECT_EQ(Undated(ids[1]), kNotCalled);
  EXPECT_EQ(Undated(ids[2]), std::string("last week\r\n") + kNotCalled) << "the last session's log stays";
  EXPECT_EQ(Field(ids[1], "SiteColor") + Field(ids[2], "SiteColor"), "00") << "no call, no failed call";
}

// How many alarm reports the unit sent, and how many alarm windows show one.
struct ReportCount {
  int sent = 0;
  int shown(app::Console& c) const { return static_cast<int>(testkit::AlarmWindows(c).size()); }
};

// A unit calls in at a chosen moment of a run while the console answers
// calls (set up before the run, so the run finds its port open). The run
// sets the modem up not to answer, so no report is taken for a dial's or a
// hang-up's reply; the modem answers again after the run, and the unit's
// next call is stored and shown. Every report sent is shown.
class CallInDuringTheRun : public CalloutRunFromTheTimer, public ::testing::WithParamInterface<int> {};

TEST_P(CallInDuringTheRun, NoAlarmReportIsLost) {
  const int after_hang_up = GetParam();  // the unit calls 1 s after this "ATH0" of the run
  h.rt.SetTimeLimit(vb::MakeDateTime(2026, 3, 2, 15, 0, 0));
  ASSERT_TRUE(h.Start());
  AddCalloutSites();
  testkit::SiteRow north;  // 12, callout off
  const std::int32_t north_id = testkit::AddSite(h.console, north);
  testkit::SimulatedSite site(h, sim::UnitConfig{.address = 12, .alarm_flags = kReportedFlags});
  site.AttachSerial(/*modem=*/true);
  auto& st = h.console.st;
  ReportCount reports;
  site.Unit().on_note = [&](const std::string& note) { reports.sent += note == "alarm report"; };
  int hang_ups = 0;
  std::int64_t run_over_at = 0;
  site.Modem()->on_note = [&](const std::string& note) {
    if (note == "modem: hung up" && ++hang_ups == after_hang_up)
      h.rt.After(1000, [&] { EXPECT_TRUE(site.StartAlarmCall()); });
  };
  std::function<void()> watch = [&] {
    if (run_over_at == 0 && !st.CalloutActive && st.CmdState == lnk::kIdle) {
      run_over_at = h.rt.Now().ms;
      h.rt.After(60'000, [&] { site.StartAlarmCall(); });  // the unit tries again
      h.rt.After(120'000, [&] { st.StopReceive = true; });
    } else if (run_over_at == 0) {
      h.rt.After(5'000, watch);
    }
  };
  h.rt.At(vb::MakeDateTime(2026, 3, 2, 14, 0, 40), watch);
  h.rt.At(vb::MakeDateTime(2026, 3, 2, 13, 59, 35), [&] {
    h.console.Get<app::frmMain>().mnuOptionsAnswer.Click();  // answers calls; the loop serves the run
  });
  h.rt.RunUntil([&] { return run_over_at != 0 && st.ReceiveLoopDepth == 0; }, 3'600'000);

  EXPECT_EQ(site.Modem()->Dialled(), (std::vector<std::string>{"5550101", "5550102", "5550103"}));
  for (auto id : ids) EXPECT_NE(Field(id, "ConnectLog").find("Disconnecting..."), std::string::npos) << id;
  EXPECT_GE(reports.sent, 1);
  EXPECT_EQ(reports.shown(h.console), reports.sent) << "a report was read as a reply of the run";
  EXPECT_EQ(Field(north_id, "Alarms") + "|" + Field(north_id, "SiteColor"), std::string(kReportedFlags) + "|2");
  EXPECT_EQ(site.Modem()->CommandLines().back(), "AT&F1S0=2") << "answering calls again";
}

INSTANTIATE_TEST_SUITE_P(, CallInDuringTheRun, ::testing::Values(1, 2, 3),
                         [](const auto& param) { return "AfterHangUp" + std::to_string(param.param); });

// Whoever holds the line at the callout minute keeps it: the operator's
// session, a unit calling in, the operator on line in the terminal window,
// a network connect waiting for its socket. The run starts only once the
// line is free, so no dial goes into another call, no callout site is
// touched before the run dials it, and every call's log and alarms stay
// with its own site.
enum class Holder { kSession, kCallIn, kTerminal, kNetworkConnect };
const char* const kHolderNames[] = {"OperatorsSession", "CallIn", "Terminal", "NetworkConnect"};

class CalloutHourWaitsForTheLine : public CalloutRunFromTheTimer, public ::testing::WithParamInterface<Holder> {};

TEST_P(CalloutHourWaitsForTheLine, UntilWhoeverHoldsItLetsGo) {
  h.rt.SetTimeLimit(vb::MakeDateTime(2026, 3, 2, 15, 0, 0), [this] {
    h.console.st.CalloutActive = false;
    h.console.st.StopReceive = true;
  });
  ASSERT_TRUE(h.Start());
  AddCalloutSites();
  h.console.Db.Execute("UPDATE tSites SET Alarms=?, SiteColor=2 WHERE SiteID=?",
                       {std::string(kReportedFlags), ids[0]});
  testkit::SiteRow north;  // 12, 5550100, callout off
  const std::int32_t north_id = testkit::AddSite(h.console, north);
  testkit::SelectSite(h.console, north_id, north);
  testkit::SimulatedSite site(h, sim::UnitConfig{.address = 12, .alarm_flags = kReportedFlags});
  testkit::SimulatedSite net(h, sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = 40100});
  net.AttachTcp();  // beside the modem's site on the serial port
  auto net_peer = h.tcp.peer;
  site.AttachSerial(/*modem=*/true);
  h.tcp.peer = net_peer;
  h.tcp.connect_delay_ms = 8000;
  auto& st = h.console.st;
  auto& main = h.console.Get<app::frmMain>();
  auto& terminal = h.console.Get<app::frmDebug>();
  std::int64_t released_at = 0;
  std::string alpha_then;
  auto at = [&](int minute, int second, std::function<void()> fn) {
    h.rt.At(vb::MakeDateTime(2026, 3, 2, minute < 0 ? 13 : 14, (minute + 60) % 60, second), std::move(fn));
  };
  auto release = [&] {
    released_at = h.rt.Now().ms;
    alpha_then = Field(ids[0], "Alarms") + "|" + Field(ids[0], "SiteColor") + "|" + Field(ids[0], "ConnectLog");
  };
  switch (GetParam()) {
    case Holder::kSession:
      at(-1, 35, [&] {
        h.console.cmd.Cmd[lnk::kDial] = "ATDT5550100\r";
        lnk::StartModemCall(h.console);
      });
      at(2, 0, [&] {
        h.console.Get<app::frmProgress>().cmdDisconnect.Click();
        release();
      });
      break;
    case Holder::kCallIn:
      at(-1, 35, [&] { main.mnuOptionsAnswer.Click(); });
      at(0, 25, [&] { EXPECT_TRUE(site.StartAlarmCall()); });  // answered at its second ring
      site.Modem()->on_note = [&](const std::string& note) {
        if (note == "modem: the far end hung up") release();
      };
      break;
    case Holder::kTerminal:
      at(-1, 40, [&] {
        st.DebugEcho = true;
        terminal.Show();
        terminal.cmdOpenPort.Press();  // its loop reads the port from now on
      });
      at(-1, 41, [&] { terminal.txtOut.Type("ATDT5550100\r"); });
      at(2, 0, [&] { terminal.txtOut.Type("+++"); });
      at(2, 3, [&] { terminal.txtOut.Type("ATH0\r"); });
      at(2, 5, [&] {
        terminal.cmdClose.Press();
        release();
      });
      break;
    case Holder::kNetworkConnect:
      at(0, 26, [&] { main.mnuConnNet.Choose(); });
      at(2, 0, [&] {
        main.mnuDisconnect.Choose();
        release();
      });
      break;
  }
  // The schedule's tick of the minute falls at half past.
  bool held_at_the_tick = false;
  at(0, 32, [&] { held_at_the_tick = lnk::LineInUse(h.console); });
  at(0, 33, [&] { EXPECT_FALSE(st.CalloutActive) << "the run started while the line was held"; });
  auto over = [&] {
    return released_at != 0 && !st.CalloutActive && st.CmdState == lnk::kIdle && h.rt.Now().ms > released_at + 120'000;
  };
  std::function<void()> watch = [&] { over() ? void(st.StopReceive = true) : h.rt.After(10'000, watch); };
  at(0, 40, watch);
  h.rt.RunUntil([&] { return over() && st.ReceiveLoopDepth == 0; }, 3'600'000);

  EXPECT_TRUE(held_at_the_tick);
  const auto dials = WrittenAt(h.serial, "ATDT5550101\r");
  ASSERT_EQ(dials.size(), 1u);
  EXPECT_GT(dials.front(), released_at) << "dialled into somebody else's call";
  EXPECT_EQ(alpha_then, std::string(kReportedFlags) + "|2|");
  const bool operator_dialled = GetParam() == Holder::kSession || GetParam() == Holder::kTerminal;
  EXPECT_EQ(site.Modem()->Dialled().size(), operator_dialled ? 4u : 3u);
  for (auto id : ids) {
    const std::string log = Field(id, "ConnectLog");
    EXPECT_NE(log.find("Retrieving status..."), std::string::npos) << log;
    EXPECT_NE(log.find("Disconnecting..."), std::string::npos) << log;
  }
  const std::string north_log = Field(north_id, "ConnectLog");
  if (GetParam() == Holder::kSession || GetParam() == Holder::kNetworkConnect) {
    EXPECT_NE(north_log.find("Disconnecting..."), std::string::npos) << north_log;
  }
  if (GetParam() == Holder::kCallIn) {
    EXPECT_EQ(Field(north_id, "Alarms") + "|" + Field(north_id, "SiteColor"), std::string(kReportedFlags) + "|2");
  }
}

INSTANTIATE_TEST_SUITE_P(, CalloutHourWaitsForTheLine,
                         ::testing::Values(Holder::kSession, Holder::kCallIn, Holder::kTerminal,
                                           Holder::kNetworkConnect),
                         [](const auto& param) { return std::string(kHolderNames[static_cast<int>(param.param)]); });

}  // namespace
