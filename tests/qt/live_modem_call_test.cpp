// One modem call in real time: the Qt runtime and the real serial port
// against the simulator program (a text unit behind a Hayes modem) over a
// pseudo-terminal, through initialisation, dial, "CONNECT", the dump and the
// status lines to the hang-up.
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>
#include <cstdio>

#include "app/frm_progress.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "link/startup.h"
#include "live_console.h"
#include "qt_test_support.h"
#include "site_rows.h"
#include "unit/frm_install.h"

namespace qttest {
namespace {

using SteadyClock = std::chrono::steady_clock;

TEST(LiveModemCall, DialsDumpsReadsStatusAndHangsUpOverAPty) {
  SimChild sim({"--pty", "--modem", "--dialect", "text", "--firmware", "32116",
                "--connect-delay", "2000", "--verbose"});
  ASSERT_EQ(sim.Where().rfind("pty /dev/", 0), 0u) << sim.Where();
  LiveConsole q;
  q.registry.SaveSetting("Ports", "COM2", sim.Endpoint());  // "ModemComPort" is 2
  ASSERT_TRUE(lnk::Main(q.console));
  ASSERT_TRUE(RunUntil(q.rt, [&] { return q.console.st.WindowRestored; }, 5000));
  testkit::SiteRow row;
  std::int32_t id = testkit::AddSite(q.console, row);
  testkit::SelectSite(q.console, id, row);
  q.console.cmd.Cmd[lnk::kDial] = "ATDT5550100\r";

  const auto started = SteadyClock::now();
  double status_ms = -1;
  bool hung_up = false;
  QTimer watcher;
  watcher.setInterval(100);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto& st = q.console.st;
    double elapsed = std::chrono::duration<double, std::milli>(SteadyClock::now() - started).count();
    if (elapsed > 50000) st.StopReceive = true;
    if (!hung_up && st.Online && st.CmdState == 0 && !st.VStatusText.empty()) {
      status_ms = elapsed;
      hung_up = true;
      // The operator reads the status before hanging up: the modem takes
      // "+++" only after a second of silence on the line.
      QTimer::singleShot(1500, &watcher, [&] { lnk::Disconnect(q.console); });
    }
    if (hung_up && st.CmdState == 0 && !q.console.Get<app::frmProgress>().Visible())
      st.StopReceive = true;
  });
  watcher.start();
  lnk::StartModemCall(q.console);
  watcher.stop();
  double total_ms = std::chrono::duration<double, std::milli>(SteadyClock::now() - started).count();

  EXPECT_TRUE(hung_up) << "no status";
  EXPECT_LT(total_ms, 60000);
  EXPECT_EQ(q.console.param.FirmwareVersion, 32116);
  EXPECT_FALSE(q.console.param.DumpIncomplete);
  const std::string volts = q.console.Get<unit::frmInstall>().txtBattVolts.Text();
  EXPECT_FALSE(volts.empty() || volts == "---");
  EXPECT_FALSE(q.console.st.Online);
  EXPECT_NE(testkit::SiteField(q.console, id, "ConnectLog").find("Disconnecting..."),
            std::string::npos);
  EXPECT_TRUE(sim.Running());
  std::printf("modem call: status after %.0f ms, done after %.0f ms\n", status_ms, total_ms);
}

}  // namespace
}  // namespace qttest
