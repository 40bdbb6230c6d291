// The data logs on the Qt build: pictures of the year's log list and of the
// graphs with three series (artifacts/screens), and a download of the
// simulator program's week over a pseudo-terminal in real time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QTimer>

#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/receive_loop.h"
#include "link/startup.h"
#include "live_console.h"
#include "screenshot_support.h"
#include "site_rows.h"
#include "sites/data_log_list.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"
#include "sites/site_database.h"

namespace qttest {
namespace {

TEST(DataLogsScreenshot, LogListAndGraphsWithThreeSeries) {
  OfflineQtConsole q;
  app::Console& c = q.console;
  c.Db = sites::OpenSiteDatabase(q.folder.FilePath("Dozur.mdb")).db;
  // 250 days of a 48 V site up to yesterday, but for a week.
  ASSERT_FALSE(c.Db.Execute(
      "WITH RECURSIVE d(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM d WHERE k < 250) "
      "INSERT INTO tData SELECT 12, CAST(strftime('%Y%m%d', 'now', 'localtime', '-' || k || "
      "' days') AS INTEGER), 57 + (k % 9) / 4.0, 50 + (k % 13) / 4.0, 56.8, 49.5, 9 + k % 7, "
      "2.1, 24 + (k % 11), 12 + (k % 5), 30, 15, 20 + (k % 15), -2 + k % 6, 160, 120 "
      "FROM d WHERE k NOT BETWEEN 20 AND 26"));
  testkit::SelectSite(c, 1, testkit::SiteRow{});
  sites::FillDataLogList(c);
  SaveWindowShot(q.rt, c.Get<sites::frmLog>(), "data_log_list");
  auto& graphs = c.Get<sites::frmGraphs>();
  graphs.Show();
  graphs.chkAxis[9].Press();  // TBat on the right-hand axis
  for (int k : {0, 1, 4}) graphs.chkGraph[k].Press();
  const WindowShot shot = SaveWindowShot(q.rt, graphs, "graphs");
  // Inside the plot's frame each ticked series shows in its colour, and no
  // other series does.
  QWidget* plot = WidgetOf<QWidget>(q.rt, graphs.Frame2);
  ASSERT_NE(plot, nullptr);
  const QRegion frame = shot.RegionOf(*plot);
  ASSERT_FALSE(frame.isEmpty());
  for (int k = 0; k < sites::kGraphSeries; ++k) {
    const QColor colour = qtui::ToQColor(graphs.chkGraph[k].BackColor(), plot->palette());
    const int pixels = shot.CountNear(frame, colour, 24);
    if (k == 0 || k == 1 || k == 4) EXPECT_GE(pixels, 100) << "series " << k;
    else EXPECT_EQ(pixels, 0) << "series " << k;
  }
}

TEST(LiveLogDownload, DownloadsTheSimulatorsWeekOverAPty) {
  SimChild sim({"--pty", "--dialect", "text", "--firmware", "30100", "--address", "12"});
  ASSERT_EQ(sim.Where().rfind("pty /dev/", 0), 0u) << sim.Where();
  LiveConsole q;
  q.registry.SaveSetting("Ports", "COM2", sim.Endpoint());
  ASSERT_TRUE(lnk::Main(q.console));
  ASSERT_TRUE(RunUntil(q.rt, [&] { return q.console.st.WindowRestored; }, 5000));
  testkit::SiteRow row;
  testkit::SelectSite(q.console, testkit::AddSite(q.console, row), row);
  q.console.MSComm1.CommPort = 2;
  ASSERT_TRUE(q.console.MSComm1.SetPortOpen(true));

  auto& st = q.console.st;
  bool asked = false;
  QTimer watcher;  // the operator names the site-log file; then it is over
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
      asked = true;
      box->setTextValue("live week");
      box->accept();
    }
    st.StopReceive = st.StopReceive || (asked && st.CmdState == 0);
  });
  QTimer give_up;  // ends with the test, never firing into a later one
  give_up.setSingleShot(true);
  QObject::connect(&give_up, &QTimer::timeout, [&] { st.StopReceive = true; });
  give_up.start(40000);
  watcher.start(100);
  st.CmdState = lnk::kLogPreamble;
  st.AutoNext = false;
  lnk::SendCommand(q.console);
  lnk::ReceiveLoop(q.console);

  EXPECT_EQ(q.console.Db.OpenRecordset("SELECT count(*) AS n FROM tData WHERE SiteNum = 12")
                .Field("n").ToLong(), 7);
  EXPECT_NE(q.folder.ReadFile("live week.vkx").value_or("").find("Site log 12"), std::string::npos);
}

}  // namespace
}  // namespace qttest
