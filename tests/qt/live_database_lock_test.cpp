// The site database locked by another program while the Qt console runs
// with its map shown: the failure is told in one box, and the map's flash
// timer keeps the event loop free to answer the operator meanwhile.
#include <gtest/gtest.h>

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "link/startup.h"
#include "live_console.h"
#include "platform/database.h"
#include "qt_test_support.h"
#include "site_rows.h"
#include "sites/site_database.h"

namespace qttest {
namespace {

TEST(LiveDatabaseLock, ALockIsToldOnceAndTheFlashTimerNeverHoldsTheLoop) {
  LiveConsole q;
  ASSERT_TRUE(lnk::Main(q.console));
  ASSERT_TRUE(RunUntil(q.rt, [&] { return q.console.st.WindowRestored; }, 5000));
  testkit::AddSite(q.console, {"Summit", "5550100", 9, 4711, 0});
  q.console.Get<app::frmMain>().tbToolBar.Press("Map");
  RunFor(q.rt, 200);

  auto other = platform::Database::Open(
      q.folder.FilePath(std::string(sites::kSiteDatabaseFileName)), {false, 50});
  ASSERT_TRUE(other.ok()) << other.error;
  ASSERT_FALSE(other.db.Execute("BEGIN EXCLUSIVE"));

  // Every 50 ms the operator's side looks in: the longest gap between two
  // looks is how long the loop was held.
  std::vector<std::string> boxes;
  auto last = std::chrono::steady_clock::now();
  double longest_gap_ms = 0;
  QTimer watcher;
  watcher.setInterval(50);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    longest_gap_ms = std::max(longest_gap_ms, ElapsedMs(last));
    last = std::chrono::steady_clock::now();
    AcceptMessageBox(boxes);
  });
  watcher.start();
  RunFor(q.rt, 4500);
  watcher.stop();
  ASSERT_FALSE(other.db.Execute("ROLLBACK"));

  EXPECT_EQ(boxes, std::vector<std::string>{
                       "The site database could not be read: the database is locked by another "
                       "program."});
  EXPECT_LT(longest_gap_ms, 1000.0);
}

}  // namespace
}  // namespace qttest
