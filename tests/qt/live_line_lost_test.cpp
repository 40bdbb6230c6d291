// The simulator ends in the middle of a direct-cable session over a pty, as a
// unit's cable or adapter goes away: the console ends the session as a
// hang-up does, tells the operator which port was lost, and then costs next
// to nothing (the dead line is not polled).
#include <gtest/gtest.h>

#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "link/startup.h"
#include "live_console.h"
#include "qt_test_support.h"

namespace qttest {
namespace {

TEST(LiveLineLost, ASimulatorThatEndsMidSessionEndsItAndLeavesTheConsoleIdle) {
  LiveConsole q;
  SimChild sim({"--pty", "--dialect", "text", "--firmware", "32116"});
  ASSERT_EQ(sim.Where().rfind("pty /dev/", 0), 0u) << sim.Where();
  q.registry.SaveSetting("Ports", "COM2", sim.Endpoint());  // "CableComPort" is 2
  ASSERT_TRUE(lnk::Main(q.console));
  ASSERT_TRUE(RunUntil(q.rt, [&] { return q.console.st.WindowRestored; }, 5000));
  auto& main = q.console.Get<app::frmMain>();

  // Once the dump is in and the status is on its way, the simulator ends.
  std::vector<std::string> boxes;
  bool stopped = false;
  double idle_cpu_ms = -1;
  QTimer watcher;
  watcher.setInterval(100);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (AcceptMessageBox(boxes)) return;
    if (!stopped && q.console.st.Online && !q.console.st.EepromImage.empty()) {
      stopped = true;
      sim.Stop();
    } else if (stopped && !q.console.st.Online && idle_cpu_ms < 0 && !boxes.empty()) {
      watcher.stop();
      idle_cpu_ms = CpuMsWhile([&] { RunFor(q.rt, 2000); });
      q.console.st.StopReceive = true;
    }
  });
  watcher.start();
  QTimer::singleShot(60'000, &watcher, [&] { q.console.st.StopReceive = true; });
  main.mnuDirect.Choose();
  watcher.stop();

  ASSERT_TRUE(stopped) << "the session never came up";
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind("The serial port COM2 is lost: " + sim.Endpoint() + " hung up.", 0), 0u)
      << boxes[0];
  EXPECT_FALSE(q.console.st.Online);
  EXPECT_FALSE(q.serial.PortOpen());
  EXPECT_EQ(main.StatusText(), "Disconnected");
  EXPECT_EQ(q.console.Get<app::frmProgress>().txtStatus.Text(), "Disconnected");
  EXPECT_EQ(q.console.st.CmdState, 0);
  std::printf("CPU in the 2 s after the line was lost: %.1f ms\n", idle_cpu_ms);
  EXPECT_GE(idle_cpu_ms, 0);
  EXPECT_LT(idle_cpu_ms, 200) << "the dead line is still polled";
}

}  // namespace
}  // namespace qttest
