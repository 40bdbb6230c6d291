// Time per query of the two site-database queries that run most or scan
// most, through the recordset layer as the console runs them (open, read the
// fields the caller reads from every row, close):
//  - the map's per-second redraw "SELECT * FROM tSites WHERE (AHResetTime=n);"
//    over 10,000 sites, with 1,000 or all 10,000 on the map drawn, without
//    and with an index on AHResetTime;
//  - the log list's one-year range of one site over 1,000 sites x 3,650 days
//    of tData rows, with the (SiteNum, DataDate) index the database is
//    created with and without it.
#include <benchmark/benchmark.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/database.h"
#include "sites/site_database.h"
#include "sites/site_queries.h"
#include "temp_folder.h"

namespace {

constexpr int kSites = 10000;
constexpr int kLogSites = 1000;
constexpr int kLogDays = 3650;

void Must(const std::optional<std::string>& error) {
  if (error) throw std::runtime_error(*error);
}

platform::Database OpenFresh(const std::string& path) {
  auto opened = sites::OpenSiteDatabase(path);
  if (!opened.ok()) throw std::runtime_error(opened.error);
  return std::move(opened.db);
}

// Sites 1..10,000: with `per_map` sites per map, site n is on map (n-1)/per_map.
void FillSites(const platform::Database& db, int per_map) {
  Must(db.Execute("BEGIN"));
  Must(db.Execute(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
      "INSERT INTO tSites (SiteName, SitePhone, SiteNum, SiteCustNum, CallOut, SiteLatMin, "
      "SiteLatSec, SiteLonMin, SiteLonSec, SiteColor, Alarms, ConnectLog, AHResetTime) "
      "SELECT 'Site ' || i, '555' || i, i - 32768, i, i % 2, i % 1000, 0, (i * 7) % 1000, 30, "
      "i % 3, '0000000000000000', 'Dialing...' || char(13, 10) || 'Connected' || char(13, 10), "
      "(i - 1) / ? FROM n",
      {kSites, per_map}));
  Must(db.Execute("COMMIT"));
}

// One row per site and day, the days of a site spread over the file as the
// weekly downloads of many sites spread them.
void FillLog(const platform::Database& db) {
  Must(db.Execute("DROP INDEX IF EXISTS tDataSiteDate"));
  Must(db.Execute("BEGIN"));
  Must(db.Execute(
      "WITH RECURSIVE d(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM d WHERE k < ? - 1), "
      "s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE n < ?) "
      "INSERT INTO tData SELECT n, CAST(strftime('%Y%m%d', '2015-01-01', '+' || k || ' days') "
      "AS INTEGER), 13.5 + (n % 50) / 100.0, 11.8 + (k % 40) / 100.0, 13.4, 12.1, "
      "8.5 + (k % 30) / 10.0, 2.1, 31, 18, 29, 17, 41, -(k % 12), 120.5 + (n % 20), 98.2 "
      "FROM d, s",
      {kLogDays, kLogSites}));
  Must(db.Execute("COMMIT"));
}

struct BenchFiles {
  testkit::TempFolder folder;
  platform::Database one_map;    // all 10,000 sites on map 0
  platform::Database ten_maps;   // 1,000 sites on each of maps 0..9
  platform::Database log;
  std::int32_t first_day = 0;
  std::int32_t last_day = 0;

  BenchFiles() {
    one_map = OpenFresh(folder.File("one_map.mdb"));
    FillSites(one_map, kSites);
    ten_maps = OpenFresh(folder.File("ten_maps.mdb"));
    FillSites(ten_maps, kSites / 10);
    log = OpenFresh(folder.File("log.mdb"));
    FillLog(log);
    auto range = log.OpenRecordset("SELECT max(DataDate) AS Last FROM tData");
    last_day = range.Field("Last").ToLong();
    auto first = log.OpenRecordset(
        "SELECT DataDate FROM tData WHERE SiteNum = 1 ORDER BY DataDate DESC LIMIT 1 OFFSET 365");
    first_day = first.Field("DataDate").ToLong();
  }
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

void SetIndex(const platform::Database& db, const char* create, const char* name, bool wanted) {
  Must(db.Execute(wanted ? create : (std::string("DROP INDEX IF EXISTS ") + name)));
}

// Args: sites on the drawn map (1,000 or 10,000), index on AHResetTime (0/1).
void BM_MapSitesQuery(benchmark::State& state) {
  const bool all_on_one_map = state.range(0) == kSites;
  const platform::Database& db = all_on_one_map ? Files().one_map : Files().ten_maps;
  SetIndex(db, "CREATE INDEX IF NOT EXISTS tSitesMap ON tSites (AHResetTime)", "tSitesMap",
           state.range(1) != 0);
  const std::string sql = sites::MapSitesQuery(all_on_one_map ? 0 : 4);
  platform::Recordset rsShared;
  for (auto _ : state) {
    rsShared = db.OpenRecordset(sql);
    long drawn = 0;
    while (!rsShared.Eof()) {
      benchmark::DoNotOptimize(rsShared.Field("SiteLatMin").ToDouble());
      benchmark::DoNotOptimize(rsShared.Field("SiteLonMin").ToDouble());
      benchmark::DoNotOptimize(rsShared.Field("SiteColor").ToLong());
      benchmark::DoNotOptimize(rsShared.Field("SiteName").ToText());
      benchmark::DoNotOptimize(rsShared.Field("SiteID").ToLong());
      benchmark::DoNotOptimize(rsShared.Field("SiteCustNum").ToText());
      rsShared.MoveNext();
      ++drawn;
    }
    rsShared.Close();
    if (drawn != state.range(0)) state.SkipWithError("wrong number of sites");
  }
  state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_MapSitesQuery)
    ->ArgNames({"sites_on_map", "map_index"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

// Arg: the (SiteNum, DataDate) index present (1) or dropped (0).
void BM_LogRangeQuery(benchmark::State& state) {
  BenchFiles& files = Files();
  SetIndex(files.log, "CREATE INDEX IF NOT EXISTS tDataSiteDate ON tData (SiteNum, DataDate)",
           "tDataSiteDate", state.range(0) != 0);
  const std::string sql = sites::LogRangeQuery(500, files.first_day, files.last_day);
  static const char* const kColumns[] = {"VBattMax", "VBattMin", "VLoadMax", "VLoadMin",
                                         "ALoadMax", "ALoadMin", "TBattMax", "TBattMin",
                                         "TShelMax", "TShelMin", "TOutMax",  "TOutMin",
                                         "AHPV",     "AHLoad"};
  for (auto _ : state) {
    platform::Recordset rs = files.log.OpenRecordset(sql);
    long days = 0;
    while (!rs.Eof()) {
      benchmark::DoNotOptimize(rs.Field("DataDate").ToText());
      for (const char* column : kColumns) benchmark::DoNotOptimize(rs.Field(column).ToText());
      rs.MoveNext();
      ++days;
    }
    rs.Close();
    if (days != 366) state.SkipWithError("wrong number of days");
  }
  state.counters["rows"] = 366;
}
BENCHMARK(BM_LogRangeQuery)
    ->ArgName("site_date_index")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
