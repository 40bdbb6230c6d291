// The terminal window in real time, on the Qt build's serial port and a pty
// of the simulator program (a text unit on a direct cable): a "U" typed into
// the window reaches the unit, and its status line appears in the box.
#include <gtest/gtest.h>

#include <QTimer>

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
  q.console.st.DebugEcho = true;
  auto& terminal = q.console.Get<app::frmDebug>();
  terminal.Show();
  const std::string& in = terminal.txtIn.Text();
  // The timers die with the test: one left over would fire into a later
  // test's stack.
  QTimer watcher;
  QTimer::singleShot(200, &watcher, [&] { terminal.txtOut.Type("U"); });
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (in.find('\r', in.find("U ")) != std::string::npos) q.console.st.StopReceive = true;
  });
  watcher.start(20);
  QTimer::singleShot(10000, &watcher, [&] { q.console.st.StopReceive = true; });
  terminal.cmdOpenPort.Press();  // returns when the receive loop stops
  EXPECT_EQ(in.rfind("U ", 0), 0u) << in;
  EXPECT_NE(in.find('\r', in.find("U ")), std::string::npos) << "a whole status line: " << in;
}

}  // namespace
}  // namespace qttest
