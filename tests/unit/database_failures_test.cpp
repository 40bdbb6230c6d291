// Reads of the site database that fail under a running console: a lock held
// by another program and a damaged table are told once, never shown as an
// empty map or Site List, and the map's flash timer neither holds the
// operator up nor tells the same failure every second.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/frm_connection.h"
#include "gtest_operator.h"
#include "map_sites_fixture.h"
#include "platform/database.h"
#include "sites/site_database.h"

namespace {

const std::string kLocked =
    "The site database could not be read: the database is locked by another program.";
const std::string kDamaged = "The site database could not be read: the database file is damaged.";

class DatabaseFailures : public sitetest::MapSites {
 protected:
  std::string DatabasePath() {
    return h.folder.FilePath(std::string(sites::kSiteDatabaseFileName));
  }
  // Another program takes the file's exclusive lock, until Release.
  void LockFromAnotherProgram() {
    auto opened = platform::Database::Open(DatabasePath(), {false, 50});
    ASSERT_TRUE(opened.ok()) << opened.error;
    other_ = std::move(opened.db);
    ASSERT_FALSE(other_.Execute("BEGIN EXCLUSIVE"));
  }
  void Release() { ASSERT_FALSE(other_.Execute("ROLLBACK")); }
  std::size_t Rings() {
    std::size_t n = 0;
    for (const auto& c : Map().Drawing().OfKind<ui::DrawCircle>()) n += c.radius == 120 ? 1 : 0;
    return n;
  }
  // The longest real time one flash tick took.
  double SlowestTickMs(int ticks) {
    double slowest = 0;
    for (int i = 0; i < ticks; ++i) {
      const auto start = std::chrono::steady_clock::now();
      h.Run(1.0);
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      slowest = std::max(slowest, took.count());
    }
    return slowest;
  }

  platform::Database other_;
};

TEST_F(DatabaseFailures, ALockWhileRunningIsToldOnceAndTheMapNeitherWaitsNorForgets) {
  Add("North", 500, 500);
  h.Run(1.0);
  ASSERT_EQ(Rings(), 1u);

  LockFromAnotherProgram();
  Op().ExpectMsgBox(kLocked);
  EXPECT_LT(SlowestTickMs(5), 1000.0) << "a tick must not wait out the busy timeout";
  testkit::ExpectScriptDone(h.rt);
  EXPECT_EQ(Rings(), 1u) << "the map keeps what it showed";

  // The operator's own read is told each time, and the list is not taken
  // for an empty table.
  Op().ExpectMsgBox(kLocked);
  auto& list = h.console.Get<app::frmConnection>();
  list.Show();
  testkit::ExpectScriptDone(h.rt);
  list.Unload();

  // Once a read went well, a new failure is told again.
  Release();
  h.Run(2.0);
  LockFromAnotherProgram();
  Op().ExpectMsgBox(kLocked);
  h.Run(3.0);
  Release();
}

TEST(DatabaseDamage, ADamagedSitesTableIsToldAtStartOnceAndAgainByTheSiteList) {
  testkit::ConsoleHarness h;
  testkit::ReportToGtest(h.rt);
  const std::string path = h.folder.FilePath(std::string(sites::kSiteDatabaseFileName));
  long root = 0;
  {
    auto opened = sites::OpenSiteDatabase(path);
    ASSERT_TRUE(opened.ok()) << opened.error;
    for (int i = 0; i < 40; ++i)
      ASSERT_FALSE(opened.db.Execute(
          "INSERT INTO tSites (SiteName, SiteLatMin, SiteLonMin, AHResetTime) "
          "VALUES (?, 500, 500, 0)",
          {std::string(100, 'a' + i % 26)}));
    auto rs = opened.db.OpenRecordset("SELECT rootpage FROM sqlite_master WHERE name = 'tSites'");
    root = rs.Field("rootpage").ToLong();
    ASSERT_GT(root, 1);
  }
  // The table's first page is overwritten with junk; the schema stays whole.
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fseek(file, (root - 1) * 4096, SEEK_SET), 0);
  const std::string junk(4096, '\xA5');
  ASSERT_EQ(std::fwrite(junk.data(), 1, junk.size(), file), junk.size());
  std::fclose(file);

  h.rt.Operator().ExpectMsgBox(kDamaged);
  ASSERT_TRUE(h.Start());
  h.console.Get<sites::frmMap>().Show();
  h.Run(5.0);
  testkit::ExpectScriptDone(h.rt);

  h.rt.Operator().ExpectMsgBox(kDamaged);
  h.console.Get<app::frmConnection>().Show();
  testkit::ExpectScriptDone(h.rt);
}

}  // namespace
