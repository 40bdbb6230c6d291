#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "console_harness.h"
#include "link/command_sender.h"
#include "link/command_table.h"

namespace {

class PacedSending : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Start());
    h.serial.SetPortOpen(true);
    t0 = h.rt.Now();
  }
  void Send(int command, bool auto_next = false) {
    h.console.st.CmdState = command;
    h.console.st.AutoNext = auto_next;
    lnk::SendCommand(h.console);
  }
  std::int64_t At(size_t write) const { return h.serial.Writes().at(write).at - t0; }
  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  std::int64_t TimeoutDueIn() { return h.rt.DueTime(Main().tmrError) - t0; }

  testkit::ConsoleHarness h;
  vb::DateTime t0;
};

TEST_F(PacedSending, OneCharacterCommandGoesAtOnceAndArmsItsTimeOut50msLater) {
  Send(lnk::kStatusU);
  ASSERT_EQ(h.serial.Writes().size(), 1u);
  EXPECT_EQ(h.serial.Writes()[0].bytes, "U");
  EXPECT_EQ(At(0), 0);
  EXPECT_FALSE(h.rt.IsScheduled(Main().tmrError));
  h.rt.RunFor(50);
  ASSERT_TRUE(h.rt.IsScheduled(Main().tmrError));
  EXPECT_EQ(TimeoutDueIn(), 50 + 20000);
  EXPECT_EQ(h.serial.AllWritten(), "U");
  EXPECT_FALSE(Main().tmrOut.Enabled());
}

TEST_F(PacedSending, DumpCommandIsFollowedByTheAccessCodeInOneWrite) {
  Send(lnk::kDump);
  h.rt.RunFor(100);
  ASSERT_EQ(h.serial.Writes().size(), 2u);
  EXPECT_EQ(h.serial.Writes()[0].bytes, "D");
  const std::string& code = h.serial.Writes()[1].bytes;
  EXPECT_EQ(At(1), 50);
  ASSERT_EQ(code.size(), 10u);
  EXPECT_EQ(code.front(), '\r');
  EXPECT_EQ(code.back(), '\r');
  for (size_t i = 1; i < 9; ++i) EXPECT_GE(static_cast<unsigned char>(code[i]), 0xA2);
  EXPECT_EQ(TimeoutDueIn(), 50 + 6000);
}

TEST_F(PacedSending, CharactersGoOutEvery50msAndTheTimeOutStartsWithTheLast) {
  h.console.cmd.Cmd[lnk::kDial] = "ATDT5551234567\r";
  Send(lnk::kDial);
  h.rt.RunFor(1000);
  ASSERT_EQ(h.serial.Writes().size(), 15u);
  for (size_t k = 0; k < 15; ++k) EXPECT_EQ(At(k), static_cast<std::int64_t>(50 * k));
  EXPECT_EQ(h.serial.AllWritten(), "ATDT5551234567\r");
  EXPECT_EQ(TimeoutDueIn(), 700 + 65000);

  h.serial.ClearWrites();
  t0 = h.rt.Now();
  Send(lnk::kEscape);
  h.rt.RunFor(500);
  EXPECT_EQ(h.serial.AllWritten(), "+++");
  EXPECT_EQ(At(2), 100);
}

TEST_F(PacedSending, ClosedPortChangesNothing) {
  h.serial.SetPortOpen(false);
  h.console.st.RxBuffer = "partial";
  h.console.st.LinesReceived = 3;
  Send(lnk::kStatusU);
  h.rt.RunFor(100);
  EXPECT_EQ(h.console.st.RxBuffer, "partial");
  EXPECT_EQ(h.console.st.LinesReceived, 3);
  EXPECT_TRUE(h.serial.Writes().empty());
  EXPECT_FALSE(Main().tmrOut.Enabled());
  EXPECT_FALSE(h.rt.IsScheduled(Main().tmrError));
}

TEST_F(PacedSending, OnlyTheWriteCommandKeepsPendingWriteData) {
  h.console.st.WriteData = "\x05\x06";
  h.console.cmd.Cmd[lnk::kSetParameter] = "Ss013090";
  Send(lnk::kSetParameter);
  EXPECT_EQ(h.console.st.WriteData, "\x05\x06");
  h.rt.RunFor(1000);
  EXPECT_EQ(h.serial.AllWritten(), "Ss013090");
  Send(lnk::kStatusV);
  EXPECT_EQ(h.console.st.WriteData, "");
}

TEST_F(PacedSending, RunningUpdateTimerIsSuspendedUntilTheReplyIsHandled) {
  Main().tmrUpdate.Restart(60000);
  Send(lnk::kStatusU);
  EXPECT_FALSE(Main().tmrUpdate.Enabled());
  EXPECT_TRUE(h.console.st.ResumeUpdate);
  h.console.st.ResumeUpdate = false;
  Send(lnk::kStatusV);
  EXPECT_FALSE(h.console.st.ResumeUpdate);
}

TEST_F(PacedSending, NewCommandRestartsPacingFromItsSecondCharacter) {
  h.console.cmd.Cmd[lnk::kDial] = "ATDT123\r";
  Send(lnk::kDial);
  h.rt.RunFor(60);  // "A" and "T" are out
  Send(lnk::kEscape);
  h.rt.RunFor(500);
  EXPECT_EQ(h.serial.AllWritten(), "AT+++");
}

TEST_F(PacedSending, InitTimerStartsTheCommand200msLater) {
  h.console.st.CmdState = lnk::kStatusU;
  lnk::StartInitTimer(h.console);
  h.rt.RunFor(199);
  EXPECT_TRUE(h.serial.Writes().empty());
  h.rt.RunFor(1);
  ASSERT_EQ(h.serial.Writes().size(), 1u);
  EXPECT_EQ(At(0), 200);
  EXPECT_FALSE(Main().tmrInit.Enabled());
}

TEST_F(PacedSending, NetworkModePacesUnitCommandsThroughTheSocketButNotModemCommands) {
  h.serial.SetPortOpen(false);
  h.console.st.UseTcp = true;
  h.tcp.Connect();
  h.rt.RunFor(10);
  ASSERT_EQ(h.tcp.State(), platform::sckConnected);
  Send(lnk::kDump);
  h.rt.RunFor(100);
  ASSERT_EQ(h.tcp.Writes().size(), 2u);
  EXPECT_EQ(h.tcp.Writes()[0].bytes, "D");
  Send(lnk::kEscape);
  h.rt.RunFor(500);
  EXPECT_EQ(h.tcp.Writes().size(), 2u);  // "+++" is for a modem, never for the socket
}

TEST(SocketArrival, TwoArrivalsBeforeTheLoopPollsAreBothKept) {
  testkit::ConsoleHarness h;
  ASSERT_TRUE(h.Start());
  h.tcp.Connect();
  h.rt.RunFor(10);
  h.tcp.Deliver("U 26/03");
  h.tcp.Deliver("/02\r\n");
  h.rt.RunFor(1);
  EXPECT_EQ(h.console.st.TcpRxText, "U 26/03/02\r\n");
}

}  // namespace
