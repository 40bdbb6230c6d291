// When a reply ends, what a passed time-out does, and how the loop waits.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/delay.h"
#include "link/receive_loop.h"
#include "link/settings_access.h"

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

TEST_F(ReceiveLoopTest, WithoutLineCountingAReplyEndsAfterItsIdleTime) {
  Start("0");
  h.serial.peer = [this](std::string_view b) {
    if (b == "U") h.serial.Deliver("U 26/03/02 0 10:00:00 1 1350 12 5 25 30 0 0 0\r\n", 300);
  };
  SendAndLoop(lnk::kStatusU, 30000);
  ASSERT_GE(h.serial.Writes().size(), 2u);
  // The reply ends in the first millisecond after its idle time.
  EXPECT_EQ(h.serial.Writes()[1].at - t0, 300 + 15000 + 1);
}

TEST_F(ReceiveLoopTest, LogReplyEndsAfterSevenLines) {
  Start("1");
  int handled_at_lines = -1;
  h.serial.peer = [this](std::string_view b) {
    if (b != "L") return;
    for (int day = 0; day < 7; ++day) h.serial.Deliver("1 2 3\r\n", 100 + day * 10);
  };
  h.rt.After(200, [&] {
    // By now the seventh line has been counted and the reply handed over.
    handled_at_lines = h.console.st.LinesReceived;
  });
  SendAndLoop(lnk::kLogDownload, 1000);
  EXPECT_EQ(handled_at_lines, 7);
  EXPECT_EQ(h.console.st.CmdState, 0);
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
  std::string all = h.serial.AllWritten();
  // Sent at 0, time-out 15 s after its last character, sent again, ...
  EXPECT_EQ(all.substr(0, 16), "Ss013090Ss013090");
  EXPECT_EQ(h.console.st.CmdState, lnk::kSetParameter);
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

// What each state's reply time-out does; states 3 to 7 and 10 only log and
// leave the rest to the loop's next deadline.
TEST_F(ReceiveLoopTest, ReplyTimeoutOfEachStateDoesWhatItsStateCallsFor) {
  Start("1");
  auto& st = h.console.st;
  auto& progress = h.console.Get<app::frmProgress>();
  const auto time_out = [&](int state) {
    st.CmdState = state;
    lnk::OnReplyTimeoutTimer(h.console);
  };
  const struct {
    int state;
    const char* logged;
  } logged[] = {{3, "Error retrieving AmpHours (Ua)."},    {4, "Error retrieving Current (Uc)."},
                {5, "Error retrieving Date (Ud)."},        {6, "Error retrieving Temperature (Ut)."},
                {7, "Error receiving Volts (Uv)."},        {10, "Error receiving EEPROM dump (D)."}};
  for (const auto& t : logged) {
    progress.txtLog.Text = "";
    time_out(t.state);
    EXPECT_EQ(progress.txtLog.Text(), std::string(t.logged) + "\r\n");
    EXPECT_EQ(st.CmdState, t.state);
  }

  h.rt.Operator().ExpectMsgBox("No response received from modem.", ui::vbOK, "VKX-4700");
  time_out(lnk::kModemInit);
  EXPECT_EQ(h.console.Get<app::frmMain>().StatusText(), "Disconnected");
  EXPECT_EQ(progress.txtStatus.Text(), "Disconnected");

  // The hang-up unanswered: "+++", 1.5 s, "ATH0" again.
  h.serial.ClearWrites();
  time_out(lnk::kHangUp);
  h.rt.RunFor(500);
  ASSERT_FALSE(h.serial.Writes().empty());
  EXPECT_EQ(h.serial.AllWritten(), "+++ATH0\r");
  EXPECT_EQ(h.serial.Writes()[3].at - h.serial.Writes()[0].at, 1500);
  EXPECT_EQ(st.CmdState, lnk::kHangUp);

  // The escape unanswered: the port and auto-answer are given up.
  h.console.Get<app::frmMain>().mnuOptionsAnswer.Checked = true;
  progress.Show();
  time_out(lnk::kEscape);
  EXPECT_FALSE(h.serial.PortOpen());
  EXPECT_FALSE(lnk::Setting(h.console, "AutoAnswer").SettingFlag);
  EXPECT_FALSE(h.console.Get<app::frmMain>().mnuOptionsAnswer.Checked());
  EXPECT_FALSE(progress.Visible());
  testkit::ExpectScriptDone(h.rt);
}

// Daylight saving or a time sync steps the wall clock by an hour: a reply's
// idle end and a wait keep their lengths all the same.
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
  EXPECT_EQ(h.serial.Writes()[1].at - t0, 300 + 15000 + 1 + step);  // "V" after the idle time

  const std::int64_t before = h.rt.SteadyMs();
  h.rt.After(700, [&] { h.rt.StepWallClock(-step); });
  lnk::Delay(h.console, 1.5);
  EXPECT_EQ(h.rt.SteadyMs() - before, 1500);
}

INSTANTIATE_TEST_SUITE_P(BackAndForward, SteppedWallClock, ::testing::Values(-3600000, 3600000));

TEST(DelayTest, WaitAcrossMidnightEndsOnTime) {
  testkit::ConsoleHarness h(vb::MakeDateTime(2026, 3, 2, 23, 59, 59, 800));
  vb::DateTime start = h.rt.Now();
  lnk::Delay(h.console, 0.5);
  EXPECT_EQ(h.rt.Now() - start, 500);
  EXPECT_EQ(vb::Day(h.rt.Now()), 3);
}

}  // namespace
