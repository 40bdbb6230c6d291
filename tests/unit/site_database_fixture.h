// A site database in a fresh temporary folder, seeded with three sites and
// a few log days, plus a way to look at the file with the sqlite3 tool.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/database.h"
#include "sites/site_database.h"
#include "temp_folder.h"

namespace sitetest {

// Output of the sqlite3 command-line tool run on the file, with "|" between
// columns and a line end after each row.
inline std::string SqliteCli(const std::string& path, const std::string& sql) {
  std::string quoted = "'";
  for (const char c : sql) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += "'";
  const std::string command = "sqlite3 -batch -noheader '" + path + "' " + quoted + " 2>&1";
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

inline bool HaveSqliteCli() { return std::system("command -v sqlite3 >/dev/null 2>&1") == 0; }

#define SKIP_WITHOUT_SQLITE_CLI() \
  if (!::sitetest::HaveSqliteCli()) GTEST_SKIP() << "the sqlite3 tool is not installed"

class SeededSiteDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.File("Dozur.mdb");
    auto opened = sites::OpenSiteDatabase(path_);
    ASSERT_TRUE(opened.ok()) << opened.error;
    db_ = std::move(opened.db);
    ASSERT_FALSE(db_.Execute("BEGIN"));  // one commit for the whole seed
    north_ = AddSite("North", "5551234", 12, true, 1, 0);
    south_ = AddSite("South", "7", -25536, false, 1, 2);
    east_ = AddSite("East", "~127.0.0.1", 3, true, 2, 1);
    for (int day = 1; day <= 10; ++day) AddLogDay(12, 20240100 + day, 12.0 + day / 10.0);
    AddLogDay(-25536, 20240105, 11.5);
    ASSERT_FALSE(db_.Execute("COMMIT"));
  }

  std::int32_t AddSite(const std::string& name, const std::string& phone, int site_num,
                       bool callout, int map_id, int color) {
    const auto error = db_.Execute(
        "INSERT INTO tSites (SiteName, SitePhone, SiteNum, SiteCustNum, CallOut, SiteLatMin, "
        "SiteLatSec, SiteLonMin, SiteLonSec, SiteColor, Alarms, ConnectLog, AHResetTime) "
        "VALUES (?, ?, ?, ?, ?, 500, 0, 400, 30, ?, '0000000000000000', ?, ?)",
        {name, phone, site_num, 100 + site_num % 100, callout, color,
         "log of " + name + "\r\nDisconnecting...\r\n", map_id});
    EXPECT_FALSE(error) << *error;
    auto rs = db_.OpenRecordset("SELECT max(SiteID) AS Id FROM tSites");
    return rs.Field("Id").ToLong();
  }

  void AddLogDay(int site_num, int date_key, double vbatt_max) {
    const auto error = db_.Execute(
        "INSERT INTO tData (SiteNum, DataDate, VBattMax, VBattMin, AHPV, AHLoad) "
        "VALUES (?, ?, ?, 11.9, 40.5, 38.2)",
        {site_num, date_key, vbatt_max});
    EXPECT_FALSE(error) << *error;
  }

  // The names of the rows, in the recordset's order.
  static std::vector<std::string> Names(platform::Recordset& rs, const char* column = "SiteName") {
    std::vector<std::string> names;
    while (!rs.Eof()) {
      names.push_back(rs.Field(column).ToText());
      rs.MoveNext();
    }
    return names;
  }

  std::string Cli(const std::string& sql) const { return SqliteCli(path_, sql); }

  testkit::TempFolder folder_;
  std::string path_;
  platform::Database db_;
  std::int32_t north_ = 0;
  std::int32_t south_ = 0;
  std::int32_t east_ = 0;
};

}  // namespace sitetest
