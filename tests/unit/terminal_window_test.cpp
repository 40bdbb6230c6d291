// The terminal window on the serial port: keys go out as typed, the receive
// loop's text comes in while the echo is on, the buffer is saved, cleared
// and kept; and every road that opens the port names the settings it refuses.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/frm_debug.h"
#include "app/frm_main.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/line_use.h"
#include "link/modem_call.h"
#include "platform/program_folder.h"

namespace {

class TerminalWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    h.SetSetting("CableComPort", "5");
    ASSERT_TRUE(h.Start());
    h.console.st.DebugEcho = true;  // as the terminal's combination leaves it
    Terminal().Show();
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  app::frmDebug& Terminal() { return h.console.Get<app::frmDebug>(); }

  testkit::ConsoleHarness h;
};

// Each key goes out as its code at once; the grave accent goes as Escape
// and Ctrl+letters as their control codes, and neither shows in the box.
TEST_F(TerminalWindow, KeysGoOutOneByOneWithTheGraveAsEscapeAndEnterDoubled) {
  struct Case {
    const char* typed;
    const char* sent;
    const char* shown;
  };
  const Case cases[] = {
      {"AT", "[A][T]", "AT"},
      {"`", "[\x1b]", "AT"},
      {"\x03\x11\x13\x1a", "[\x03][\x11][\x13][\x1a]", "AT"},  // Ctrl+C, Q, S, Z
      {"Z\x01", "[Z][\x01]", "ATZ"},
      {"\r", "[\r][\r]", ""},
  };
  std::size_t seen = 0;
  for (const Case& c : cases) {
    Terminal().txtOut.Type(c.typed);
    std::string sent;
    for (; seen < h.serial.Writes().size(); ++seen) sent += "[" + h.serial.Writes()[seen].bytes + "]";
    EXPECT_EQ(sent, c.sent) << c.typed;
    EXPECT_EQ(Terminal().txtOut.Text(), c.shown) << c.typed;
  }
  EXPECT_EQ(h.serial.OpenCount(), 1) << "the first key opened the port";
}

TEST_F(TerminalWindow, OpenPortListensOnceAndTheBoxTakesTextOnlyWhileTheEchoIsOn) {
  auto& t = Terminal();
  h.rt.After(100, [&] { h.serial.Deliver("OK\r\n"); });
  h.rt.After(200, [&] { t.cmdOpenPort.Press(); });  // already open: nothing
  h.rt.After(300, [&] { t.cmdClose.Press(); });
  h.rt.After(400, [&] { h.serial.Deliver("unseen"); });
  h.rt.After(500, [&] {
    h.console.st.DebugEcho = true;
    t.Show();
    h.serial.Deliver("RING");
  });
  h.rt.After(600, [&] { h.console.st.StopReceive = true; });
  t.cmdOpenPort.Press();
  EXPECT_EQ(h.serial.OpenCount(), 1);
  EXPECT_EQ(h.serial.OpenedPort, 5);
  EXPECT_EQ(t.txtIn.Text(), "OK\r\nRING") << "Close keeps the text; nothing came while closed";
  t.cmdClear.Press();
  EXPECT_EQ(t.txtIn.Text(), "");
}

// The window shown on an open port only watches; once the operator types,
// the line is theirs until the window is closed.
TEST_F(TerminalWindow, HoldsTheLineFromTheFirstKeyUntilItIsClosed) {
  ASSERT_TRUE(h.serial.SetPortOpen(true));
  EXPECT_FALSE(lnk::LineInUse(h.console));
  Terminal().txtOut.Type("ATDT5550100\r");
  EXPECT_EQ(lnk::WhoHoldsTheLine(h.console), lnk::LineHolder::kTerminal);
  Terminal().cmdClose.Press();
  h.console.st.DebugEcho = true;
  Terminal().Show();
  EXPECT_FALSE(lnk::LineInUse(h.console));
}

TEST_F(TerminalWindow, SaveBufferWritesTheBoxAndALineEndAndCancelWritesNothing) {
  const std::string path = h.temp.File("buffer.txt");
  Terminal().txtIn.Text = "U 26/03/02\r\nOK";
  h.rt.Operator().ExpectFileDialog("").ExpectFileDialog(path);
  Terminal().cmdSave.Press();
  EXPECT_FALSE(platform::ReadWholeFile(path));
  Terminal().cmdSave.Press();
  EXPECT_EQ(platform::ReadWholeFile(path), "U 26/03/02\r\nOK\r\n");
}

// A port that will not take the line settings is named with what it
// refused, and the road does not start.
TEST_F(TerminalWindow, EveryRoadNamesTheSettingsThePortRefuses) {
  h.serial.refuses = "7 data bits, parity E";
  const std::function<void()> roads[] = {
      [&] { Terminal().cmdOpenPort.Press(); },
      [&] { Terminal().txtOut.Type("A"); },
      [&] { h.console.Get<app::frmMain>().mnuDirect_Click(); },
      [&] { lnk::StartModemCall(h.console); },
  };
  for (const auto& road : roads) {
    h.rt.Operator().ExpectMsgBox(
        "~ does not accept these settings: 7 data bits, parity E.\r\n"
        "Please choose others under Options, Settings.");
    road();
  }
  EXPECT_FALSE(h.serial.PortOpen() || h.console.st.Online);
}

}  // namespace
