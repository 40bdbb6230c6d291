// When a reply ends, what a passed time-out does, and how the loop waits.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "common/vb.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/delay.h"
#include "link/receive_loop.h"
#include "link/settings_access.h"
#include "link/v4_link.h"
#include "link/v4_packet.h"
#include "unit/frm_install.h"

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
  h.rt.After(200, [this] {
    EXPECT_NE(h.console.st.RxText.find("alarm report"), std::string::npos);
    h.serial.Deliver("Alarm Report 12 2 21 14 30 0100000100000000\r\n");
  });
  h.rt.After(300, [this] {
    EXPECT_NE(h.console.st.RxText.find("Alarm Report"), std::string::npos);
    h.serial.Deliver("no carrier\r\n");
  });
  h.rt.After(400, [this] {
    EXPECT_EQ(h.console.st.RxText, "");  // taken out by the alarm handling
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
