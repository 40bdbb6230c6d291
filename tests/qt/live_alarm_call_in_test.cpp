// An alarm call-in in real time: the Qt build set up for auto-answer on its
// serial port against the simulator program over a pseudo-terminal (a unit
// numbered 40000, stored as -25536, calls in); then pictures of the alarm,
// active-alarm and connection-log windows.
#include <gtest/gtest.h>

#include <QTimer>

#include "app/frm_alarm.h"
#include "app/frm_main.h"
#include "link/startup.h"
#include "live_console.h"
#include "qt_test_support.h"
#include "screenshot_support.h"
#include "site_rows.h"
#include "sites/frm_active_alarms.h"
#include "sites/frm_connect_log.h"
#include "alarm_windows.h"

namespace qttest {
namespace {

TEST(LiveAlarmCallIn, AnsweredCallInShowsItsAlarmsAndTurnsTheSiteRed) {
  SimChild sim({"--pty", "--modem", "--address", "40000", "--alarm-after", "5", "--alarm-flags",
                "0100000100000000"});
  ASSERT_EQ(sim.Where().rfind("pty /dev/", 0), 0u) << sim.Where();
  LiveConsole q;
  app::Console& c = q.console;
  q.registry.SaveSetting("Ports", "COM2", sim.Endpoint());  // "ModemComPort" is 2
  ASSERT_TRUE(lnk::Main(c));
  ASSERT_TRUE(RunUntil(q.rt, [&] { return c.st.WindowRestored; }, 5000));
  const testkit::SiteRow north{.name = "North", .site_num = 40000};
  const std::int32_t id = testkit::AddSite(c, north);

  app::frmAlarm* alarm = nullptr;
  const vb::DateTime give_up = q.rt.Now() + 50000;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    for (app::frmAlarm* w : testkit::AlarmWindows(c))
      if (w->Visible()) alarm = w;
    if (alarm != nullptr || q.rt.Now() > give_up) c.st.StopReceive = true;
  });
  watcher.start(100);
  c.Get<app::frmMain>().mnuOptionsAnswer.Click();  // sets the modem up and waits
  watcher.stop();

  ASSERT_NE(alarm, nullptr) << "no alarm window within 50 s";
  EXPECT_EQ(alarm->txtSite.Text(), "40000  (North)");
  EXPECT_EQ(alarm->lstAlarms.List(0) + ", " + alarm->lstAlarms.List(1), "Shelter Temperature Final, Door Open");
  EXPECT_EQ(testkit::SiteField(c, id, "Alarms") + testkit::SiteField(c, id, "SiteColor"), "01000001000000002");
  SaveWindowShot(q.rt, *alarm, "alarm_call_in");

  testkit::SelectSite(c, id, north);
  c.Db.Execute("UPDATE tSites SET ConnectLog=? WHERE SiteID=?",
               {"Session start: 3/2/2026 10:00:00 AM\r\nQuerying modem.... Dialing 5550100\r\n"
                "Connect 9600\r\nRetrieving status...\r\nDisconnecting...\r\n", id});
  EXPECT_EQ(c.Get<sites::frmActiveAlarms>().txtSite.Text(), "40000 (North)");
  SaveWindowShot(q.rt, c.Get<sites::frmActiveAlarms>(), "active_alarms");
  SaveWindowShot(q.rt, c.Get<sites::frmConnectLog>(), "connection_log");
}

}  // namespace
}  // namespace qttest
