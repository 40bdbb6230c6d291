// When a reply ends, what a passed time-out does, and how the loop waits.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/frm_alarm.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "common/vb.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/delay.h"
#include "link/idle_text.h"
#include "link/receive_loop.h"
#include "link/settings_access.h"
#include "link/v4_link.h"
#include "link/v4_packet.h"
#include "platform/input_limit.h"
#include "unit/frm_install.h"
#include "alarm_windows.h"

namespace {

class ReceiveLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
  }
  void Start(const char* eot) {
    h.SetSetting("chkEnableEOT", eot);
    ASSERT_TRUE(h.Start());
    h.serial.SetPortOpen(true);
  }
  // Sends command `state` at once and runs the loop until stop_ms.
  void SendAndLoop(int state, std::int64_t stop_ms) {
    t0 = h.rt.Now();
    h.rt.After(stop_ms, [this] { h.console.st.StopReceive = true; });
    h.console.st.CmdState = state;
    h.console.st.AutoNext = false;
    lnk::SendCommand(h.console);
    lnk::ReceiveLoop(h.console);
  }
  // The alarm windows open, by the site they show.
  std::vector<std::string> AlarmSites() {
    std::vector<std::string> sites;
    for (const app::frmAlarm* w : testkit::AlarmWindows(h.console)) sites.push_back(w->txtSite.Text());
    return sites;
  }
  testkit::ConsoleHarness h;
  vb::DateTime t0;
};

TEST_F(ReceiveLoopTest, LineCountingEndsAReplyAtItsLastLineFeed) {
  Start("1");
  // The unit answers "U" with one status line 300 ms after the command.
  h.serial.peer = [this](std::string_view b) {
    if (b == "U") h.serial.Deliver("U 26/03/02 0 10:00:00 1 1350 12 5 25 30 0 0 0\r\n", 300);
  };
  SendAndLoop(lnk::kStatusU, 30000);
  // The reply was handled at once: "V" (the chained command) followed it.
  ASSERT_GE(h.serial.Writes().size(), 2u);
  EXPECT_EQ(h.serial.Writes()[1].bytes, "V");
  EXPECT_EQ(h.serial.Writes()[1].at - t0, 300);
}

TEST_F(ReceiveLoopTest, LogReplyEndsAfterSevenLines) {
  Start("1");
  int state_at = -1;
  h.serial.peer = [this](std::string_view b) {
    if (b != "L") return;
    for (int day = 0; day < 7; ++day) h.serial.Deliver("1 2 3\r\n", 100 + day * 10);
  };
  // By now the seventh line has ended the reply, whose handler asks for "Pp".
  h.rt.After(200, [&] { state_at = h.console.st.CmdState; });
  SendAndLoop(lnk::kLogDownload, 1000);
  EXPECT_EQ(state_at, lnk::kSiteLog);
}

TEST_F(ReceiveLoopTest, AlarmCallInIsRecognisedOnlyInExactCaseBeforeNoCarrier) {
  Start("1");
  h.rt.After(100, [this] { h.serial.Deliver("RING\r\nalarm report 12 2 21\r\nno carrier\r\n"); });
  h.rt.After(200, [&] {
    EXPECT_EQ(AlarmSites().size(), 0u);
    h.serial.Deliver("Alarm Report 12 2 21 14 30 0100000100000000\r\n");
  });
  h.rt.After(300, [&] {
    EXPECT_EQ(h.console.st.RxText.rfind("Alarm Report", 0), 0u) << "held until the call ends";
    EXPECT_EQ(AlarmSites().size(), 0u);
    h.serial.Deliver("no carrier\r\n");
  });
  h.rt.After(400, [&] {
    // Taken out by the alarm handling; what came after it waits for the next call.
    EXPECT_EQ(h.console.st.RxText.find("Alarm Report"), std::string::npos);
    EXPECT_EQ(AlarmSites().size(), 1u);
    h.console.st.StopReceive = true;
  });
  lnk::ReceiveLoop(h.console);
}

TEST_F(ReceiveLoopTest, UnansweredParameterWriteIsSentAgainUnchanged) {
  Start("1");
  h.console.cmd.Cmd[lnk::kSetParameter] = "Ss013090";
  SendAndLoop(lnk::kSetParameter, 40000);
  // Sent at 0, timed out 15 s after its last character, sent again, ...
  ASSERT_GE(h.serial.Writes().size(), 9u);  // a character a write
  EXPECT_EQ(h.serial.AllWritten().substr(0, 16), "Ss013090Ss013090");
  EXPECT_EQ(h.serial.Writes()[8].at - h.serial.Writes()[7].at, 15000);
  EXPECT_EQ(h.console.st.CmdState, lnk::kSetParameter);
}

// A command that an event starts a second before the loop's long deadline
// (60 s after it began waiting) is timed from its own start, a text command
// and a V4 packet alike: the passing deadline neither hands it an empty
// reply (the chained "V") nor sends the packet again.
TEST_F(ReceiveLoopTest, ACommandStartedJustBeforeTheLoopsDeadlineIsTimedFromItsStart) {
  Start("1");
  auto& st = h.console.st;
  std::string packet;
  lnk::SendV4Packet([&](std::string_view b) { packet += b; }, 12, "D");
  const struct {
    const char* what;
    std::function<void()> send;
    std::string written;
  } cases[] = {{"text", [&] { st.CmdState = lnk::kStatusU; lnk::SendCommand(h.console); }, "U"},
               {"V4",
                [&] {
                  st.V4Mode = true;
                  st.UnitAddress = 12;
                  st.CmdState = lnk::kV4Dump;
                  lnk::SendV4Packet(h.console, st.UnitAddress, "D");
                },
                packet}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    st.CmdState = lnk::kIdle;
    st.V4Mode = false;
    st.AutoNext = false;
    h.serial.ClearWrites();
    h.rt.After(59'000, k.send);
    h.rt.After(61'500, [&] { st.StopReceive = true; });
    lnk::ReceiveLoop(h.console);
    EXPECT_EQ(h.serial.AllWritten(), k.written);
  }
}

TEST_F(ReceiveLoopTest, LoopsRunAgainAfterAFailedDialStoppedOne) {
  Start("1");
  h.console.st.StopReceive = true;  // left set by a failed dial
  h.rt.After(5000, [this] { h.console.st.StopReceive = true; });
  vb::DateTime before = h.rt.Now();
  lnk::ReceiveLoop(h.console);
  EXPECT_EQ(h.rt.Now() - before, 5000);
}

TEST_F(ReceiveLoopTest, IdleLoopWakesOnlyAtItsDeadlines) {
  Start("1");
  int waits = 0;
  // Count the runtime's wake-ups over ten idle minutes: the start-up's flash
  // timer ticks every second, nothing else runs.
  h.rt.After(600000, [this] { h.console.st.StopReceive = true; });
  auto& flash = h.console.Get<app::frmMain>().tmrFlash;
  flash.Tick = [&] { ++waits; };
  lnk::ReceiveLoop(h.console);
  EXPECT_EQ(waits, 600);
}

// Each state's reply time-out; 3 to 7 and 10 only log, the loop's next
// deadline deciding the rest.
TEST_F(ReceiveLoopTest, ReplyTimeoutOfEachStateDoesWhatItsStateCallsFor) {
  Start("1");
  auto& st = h.console.st;
  auto& main = h.console.Get<app::frmMain>();
  auto& progress = h.console.Get<app::frmProgress>();
  auto& install = h.console.Get<unit::frmInstall>();
  auto& log = progress.txtLog;
  const auto time_out = [&](int state) {
    st.CmdState = state;
    lnk::OnReplyTimeoutTimer(h.console);
  };
  for (const auto& [state, text] : std::vector<std::pair<int, std::string>>{
           {3, "Error retrieving AmpHours (Ua)."}, {4, "Error retrieving Current (Uc)."},
           {5, "Error retrieving Date (Ud)."}, {6, "Error retrieving Temperature (Ut)."},
           {7, "Error receiving Volts (Uv)."}, {10, "Error receiving EEPROM dump (D)."}}) {
    log.Text = "";
    time_out(state);
    EXPECT_EQ(log.Text() + vb::CStr(st.CmdState), text + "\r\n" + vb::CStr(state));
  }
  // The modem silent at its set-up: both status fields tell so.
  h.rt.Operator().ExpectMsgBox("No response received from modem.", ui::vbOK, "VKX-4700");
  progress.txtStatus.Text = "Querying modem...";
  time_out(lnk::kModemInit);
  EXPECT_EQ(main.StatusText() + "|" + progress.txtStatus.Text(), "Disconnected|Disconnected");
  h.serial.ClearWrites();
  h.console.cmd.Cmd[lnk::kSetParameter] = "Ss013090";
  time_out(lnk::kSetParameter);  // sent again as it was, without limit
  h.rt.RunFor(500);
  EXPECT_EQ(h.serial.AllWritten(), "Ss013090");
  EXPECT_EQ(st.CmdState, lnk::kSetParameter);
  h.serial.ClearWrites();
  time_out(lnk::kHangUp);  // "+++", 1.5 s, "ATH0" again
  h.rt.RunFor(500);
  ASSERT_GE(h.serial.Writes().size(), 4u);
  EXPECT_EQ(h.serial.AllWritten(), "+++ATH0\r");
  EXPECT_EQ(h.serial.Writes()[3].at - h.serial.Writes()[0].at, 1500);
  EXPECT_EQ(st.CmdState, lnk::kHangUp);
  // The escape unanswered outside a callout run: the port and auto-answer
  // are given up, and the session's windows and site button let go.
  main.mnuOptionsAnswer.Checked = true;
  progress.Show();
  install.Show();
  ui::ToolbarButton& site = *main.tbToolBar.Buttons("Site");
  site.Tag = "1";
  site.Value = ui::tbrPressed;
  time_out(lnk::kEscape);
  EXPECT_FALSE(h.serial.PortOpen() || main.mnuOptionsAnswer.Checked() ||
               lnk::Setting(h.console, "AutoAnswer").SettingFlag);
  EXPECT_FALSE(progress.Visible());
  EXPECT_FALSE(install.Visible());
  EXPECT_EQ(site.Tag() + "|" + vb::CStr(site.Value()), "0|" + vb::CStr(ui::tbrUnpressed));
  testkit::ExpectScriptDone(h.rt);
}

// A unit or a line that floods: what the loop keeps stays bounded however
// long the noise lasts, and a whole alarm report is still found in it.
class LineNoise : public ReceiveLoopTest {
 protected:
  // Random bytes (seeded, so every run sees the same).
  static std::string Noise(std::size_t size, unsigned seed = 7) {
    std::mt19937 gen(seed);
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(gen() & 0xFF);
    return bytes;
  }
  static std::vector<std::string> Split(const std::string& text, std::size_t size) {
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < text.size(); at += size) pieces.push_back(text.substr(at, size));
    return pieces;
  }
  // Delivers the pieces 2 ms apart (on the socket or the port)
  // while the loop runs, and notes the most the link state held between
  // them; the loop stops once they are in.
  void Feed(const std::vector<std::string>& pieces, bool tcp = false) {
    held_text = held_reply = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      const auto at = static_cast<std::int64_t>(2 * i);
      if (tcp)
        h.tcp.Deliver(pieces[i], at);
      else
        h.serial.Deliver(pieces[i], at);
      h.rt.After(at + 1, [this] { Note(); });
    }
    h.rt.After(static_cast<std::int64_t>(2 * pieces.size()) + 10,
               [this] { h.console.st.StopReceive = true; });
    lnk::ReceiveLoop(h.console);
  }
  void Note() {
    const auto& st = h.console.st;
    held_text = std::max({held_text, st.RxText.size(), st.TcpRxText.size()});
    held_reply = std::max(held_reply, st.RxBuffer.size());
  }
  std::size_t held_text = 0;
  std::size_t held_reply = 0;
};

constexpr const char* kReport = "Alarm Report\n\rSite: 12\n\rDate: 2/21\n\rTime: 14:30\n\r"
                                "Alarms: 0100000100000000\n\r";

TEST_F(LineNoise, IdleNoiseIsBoundedAndAWholeReportIsFoundSplitOrAmidIt) {
  Start("1");
  const std::string report = kReport;
  const std::string noise = Noise(1 << 20);
  const struct {
    const char* what;
    std::vector<std::string> pieces;
    int reports;
  } cases[] = {
      {"noise alone", Split(noise, 4096), 0},
      {"a report split across pieces after noise",
       [&] {
         auto pieces = Split(noise, 4096);
         pieces.insert(pieces.end(), {"Alarm Re", report.substr(8, 30), report.substr(38) + "NO CAR",
                                      "RIER\r\n"});
         return pieces;
       }(),
       1},
      {"a report amid noise in one piece", {noise + report + "\r\nno carrier\r\n" + noise}, 1},
      {"a call that never ended, then noise, then a whole report",
       Split("Alarm Report\n\rSite: 7\n\r" + noise + report + "NO CARRIER", 1000), 1},
      {"two calls in one piece, the second ending after a RING",
       {report + "NO CARRIER\r\n" + report + "\r\nRING\r\nNO CARRIER\r\n"}, 2},
      {"a report whose call end comes only after more than a call holds",
       {report + Noise(2 * lnk::kLongestCallIn, 9) + "NO CARRIER"}, 0},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    const std::size_t before = AlarmSites().size();
    Feed(k.pieces);
    EXPECT_LE(held_text, lnk::kLongestCallIn);
    EXPECT_EQ(AlarmSites().size() - before, static_cast<std::size_t>(k.reports));
    for (std::size_t i = before; i < AlarmSites().size(); ++i) EXPECT_EQ(AlarmSites()[i], "12");
    h.console.st.RxText.clear();
  }
}

// While a command runs, bytes past the longest reply are dropped and the
// reply's front is kept; on the network road, arrivals past a socket's
// worth wait in the socket (the loop taking them later) while no loop runs,
// as under a modal box.
TEST_F(LineNoise, AFloodDuringACommandOrAModalBoxKeepsOnlyWhatAReplyCanNeed) {
  Start("0");
  auto& st = h.console.st;
  const std::string noise = Noise(1 << 20);
  st.CmdState = lnk::kStatusU;
  Feed(Split(noise, 4096));
  EXPECT_LE(held_reply, lnk::kLongestReply);
  EXPECT_EQ(st.RxBuffer.size(), lnk::kLongestReply);
  EXPECT_TRUE(noise.starts_with(st.RxBuffer)) << "the reply's front is kept";

  st.CmdState = lnk::kIdle;
  st.RxBuffer.clear();
  st.UseTcp = true;
  h.tcp.Connect();
  h.rt.RunFor(10);
  ASSERT_EQ(h.tcp.State(), platform::sckConnected);
  const auto pieces = Split(noise, 4096);
  for (std::size_t i = 0; i < pieces.size(); ++i) h.tcp.Deliver(pieces[i], static_cast<std::int64_t>(i));
  h.rt.RunFor(static_cast<std::int64_t>(pieces.size()) + 10);  // no loop takes them meanwhile
  EXPECT_LE(st.TcpRxText.size(), platform::kInputHeld + 4096);
  // What waited in the socket comes through: the report behind the noise.
  const std::size_t before = AlarmSites().size();
  Feed({std::string(kReport) + "NO CARRIER"}, /*tcp=*/true);
  EXPECT_EQ(AlarmSites().size(), before + 1);
  EXPECT_LE(held_text, platform::kInputHeld + 4096);
}

// A reply ends after its idle time, and a wait lasts its time, also when
// daylight saving or a time sync steps the wall clock by an hour meanwhile.
class SteppedWallClock : public ReceiveLoopTest,
                         public ::testing::WithParamInterface<std::int64_t> {};

TEST_P(SteppedWallClock, LeavesReplyEndsAndWaitsTheirLength) {
  const std::int64_t step = GetParam();
  Start("0");
  h.serial.peer = [this](std::string_view b) {
    if (b == "U") h.serial.Deliver("U 26/03/02 0 10:00:00 1 1350 12 5 25 30 0 0 0\r\n", 300);
  };
  h.rt.After(1000, [&] { h.rt.StepWallClock(step); });
  SendAndLoop(lnk::kStatusU, 30000);
  ASSERT_GE(h.serial.Writes().size(), 2u);
  EXPECT_EQ(h.serial.Writes()[1].at - t0, 300 + 15000 + 1 + step);  // "V" in the next millisecond
  const std::int64_t before = h.rt.SteadyMs();
  h.rt.After(700, [&] { h.rt.StepWallClock(-step); });
  lnk::Delay(h.console, 1.5);
  EXPECT_EQ(h.rt.SteadyMs() - before, 1500);
}

INSTANTIATE_TEST_SUITE_P(BackStillAndForward, SteppedWallClock,
                         ::testing::Values(-3600000, 0, 3600000));

TEST(DelayTest, WaitAcrossMidnightEndsOnTime) {
  testkit::ConsoleHarness h(vb::MakeDateTime(2026, 3, 2, 23, 59, 59, 800));
  vb::DateTime start = h.rt.Now();
  lnk::Delay(h.console, 0.5);
  EXPECT_EQ(h.rt.Now() - start, 500);
  EXPECT_EQ(vb::Day(h.rt.Now()), 3);
}

}  // namespace
