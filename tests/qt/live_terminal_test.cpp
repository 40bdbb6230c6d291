// The terminal window in real time: the Qt build on a real serial port (a
// pty of the simulator program, a text unit on a direct cable). A "U" typed
// into the window reaches the unit, and its status line appears in the box.
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>
#include <cstdio>

#include "app/frm_debug.h"
#include "link/startup.h"
#include "live_console.h"
#include "qt_test_support.h"

namespace qttest {
namespace {

TEST(LiveTerminal, ATypedUReachesTheUnitAndItsStatusLineAppears) {
  SimChild sim({"--pty", "--dialect", "text", "--firmware", "32116"});
  ASSERT_EQ(sim.Where().rfind("pty /dev/", 0), 0u) << sim.Where();
  LiveConsole q;
  q.registry.SaveSetting("Ports", "COM2", sim.Endpoint());  // "CableComPort" is 2
  ASSERT_TRUE(lnk::Main(q.console));
  ASSERT_TRUE(RunUntil(q.rt, [&] { return q.console.st.WindowRestored; }, 5000));
  q.console.st.DebugEcho = true;
  auto& terminal = q.console.Get<app::frmDebug>();
  terminal.Show();

  const auto started = std::chrono::steady_clock::now();
  double reply_ms = -1;
  QTimer::singleShot(200, [&] { terminal.txtOut.Type("U"); });
  QTimer watcher;
  watcher.setInterval(20);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    const std::string& in = terminal.txtIn.Text();
    if (reply_ms < 0 && in.find('\r', in.find("U ")) != std::string::npos)
      reply_ms = ElapsedMs(started);
    if (reply_ms >= 0 || ElapsedMs(started) > 10000) q.console.st.StopReceive = true;
  });
  watcher.start();
  terminal.cmdOpenPort.Press();  // returns when the receive loop stops
  watcher.stop();

  const std::string in = terminal.txtIn.Text();
  ASSERT_GE(reply_ms, 0) << "no status line: \"" << in << '"';
  EXPECT_EQ(in.rfind("U ", 0), 0u) << in;
  EXPECT_NE(in.find('/'), std::string::npos) << "the line carries the unit's date";
  EXPECT_TRUE(sim.Running());
  std::printf("terminal: status line %.0f ms after the start\n", reply_ms);
}

}  // namespace
}  // namespace qttest
