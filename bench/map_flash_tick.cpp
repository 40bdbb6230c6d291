// One tick of the map's flash timer (DrawSites: the query of the map's sites
// through the recordset layer, and every icon drawn into the window's
// display list) with 100, 1,000 and 10,000 sites on the map shown, beside
// the floor: the bare SQLite step loop over the same query on the same file,
// reading the columns an icon is drawn from.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "console_harness.h"
#include "sites/frm_map.h"
#include "sites/site_queries.h"

namespace {

// A connection log as a short session leaves it.
constexpr const char* kLog =
    "'Session start: 02/03/2026 10:00:00' || char(13, 10) || 'Querying modem....' || "
    "char(13, 10) || 'Dialing 5550123' || char(13, 10) || 'Connect 9600' || char(13, 10) || "
    "'Retrieving EEPROM data...' || char(13, 10) || 'Retrieving status...' || char(13, 10) || "
    "'Disconnecting...' || char(13, 10)";

// A started console whose site table holds `sites` sites, all on map 0 and
// spread over the whole map, in every colour.
struct MapConsole {
  explicit MapConsole(int sites) {
    if (!h.Start()) throw std::runtime_error("the console did not start");
    const auto error = h.console.Db.Execute(
        std::string("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                    "INSERT INTO tSites (SiteName, SitePhone, SiteNum, SiteCustNum, CallOut, "
                    "SiteLatMin, SiteLatSec, SiteLonMin, SiteLonSec, SiteColor, Alarms, "
                    "ConnectLog, AHResetTime) "
                    "SELECT 'Site ' || i, '555' || i, i % 30000, 1000 + i, i % 2, 1 + i % 997, 0, "
                    "1 + (i * 7) % 997, 30, i % 3, '0000000000000000', ") +
            kLog + ", 0 FROM n",
        {sites});
    if (error) throw std::runtime_error(*error);
    map.Show();
    map.Move(0, 0, 12000, 9000);
  }
  testkit::ConsoleHarness h;
  sites::frmMap& map = h.console.Get<sites::frmMap>();
};

MapConsole& ConsoleWith(int sites) {
  static std::map<int, std::unique_ptr<MapConsole>> consoles;
  auto& slot = consoles[sites];
  if (!slot) slot = std::make_unique<MapConsole>(sites);
  return *slot;
}

void BM_FlashTick(benchmark::State& state) {
  MapConsole& m = ConsoleWith(static_cast<int>(state.range(0)));
  for (auto _ : state) m.map.DrawSites();
  state.counters["ops_drawn"] = static_cast<double>(m.map.Drawing().Count());
}

void BM_BareStepLoop(benchmark::State& state) {
  MapConsole& m = ConsoleWith(static_cast<int>(state.range(0)));
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(m.h.folder.FilePath("Dozur.mdb").c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK)
    throw std::runtime_error("cannot open the site database");
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, sites::MapSitesQuery(0).c_str(), -1, &stmt, nullptr);
  const int count = sqlite3_column_count(stmt);
  int cols[6] = {};  // SiteID, SiteName, SiteCustNum, SiteLatMin, SiteLonMin, SiteColor
  const char* wanted[6] = {"SiteID", "SiteName", "SiteCustNum", "SiteLatMin", "SiteLonMin",
                           "SiteColor"};
  for (int w = 0; w < 6; ++w)
    for (int i = 0; i < count; ++i)
      if (std::string(sqlite3_column_name(stmt, i)) == wanted[w]) cols[w] = i;
  for (auto _ : state) {
    long rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      benchmark::DoNotOptimize(sqlite3_column_int(stmt, cols[0]));
      benchmark::DoNotOptimize(sqlite3_column_text(stmt, cols[1]));
      benchmark::DoNotOptimize(sqlite3_column_int(stmt, cols[2]));
      benchmark::DoNotOptimize(sqlite3_column_double(stmt, cols[3]));
      benchmark::DoNotOptimize(sqlite3_column_double(stmt, cols[4]));
      benchmark::DoNotOptimize(sqlite3_column_int(stmt, cols[5]));
      ++rows;
    }
    sqlite3_reset(stmt);
    if (rows != state.range(0)) state.SkipWithError("wrong number of sites");
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
}

}  // namespace

BENCHMARK(BM_FlashTick)->ArgName("sites")->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareStepLoop)->ArgName("sites")->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
