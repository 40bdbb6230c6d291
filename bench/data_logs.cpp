// The data-log list and the graph window as the console runs them, on a
// console on virtual time (no window system):
//  - FillDataLogList for one site of a tData of 1,000 sites x 3,650 days:
//    the year's range query through the recordset layer and the 366 lines
//    with their fourteen cells and extremes;
//  - the graph painter drawing all seven series over the most recent span
//    of a full year, on a picture four frames wide.
#include <benchmark/benchmark.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "console_harness.h"
#include "sites/data_log_list.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"

namespace {

constexpr int kSites = 1000;
constexpr int kDays = 3650;

constexpr const char* kFillLog =
    "WITH RECURSIVE d(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM d WHERE k < ? - 1), "
    "s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE n < ?) "
    "INSERT INTO tData SELECT n, CAST(strftime('%Y%m%d', '2026-03-02', '-' || k || ' days') "
    "AS INTEGER), 13.5 + (n % 50) / 100.0, 11.8 + (k % 40) / 100.0, 13.4, 12.1, "
    "8.5 + (k % 30) / 10.0, 2.1, 31, 18, 29, 17, 41, -(k % 12), 120.5 + (n % 20), 98.2 "
    "FROM d, s";

void Must(const std::optional<std::string>& error) {
  if (error) throw std::runtime_error(*error);
}

// One console whose database holds every site's ten years up to its today.
testkit::ConsoleHarness& Console() {
  static testkit::ConsoleHarness* h = [] {
    auto* harness = new testkit::ConsoleHarness;
    if (!harness->Start()) throw std::runtime_error("start-up failed");
    const auto& db = harness->console.Db;
    Must(db.Execute("BEGIN"));
    Must(db.Execute(kFillLog, {kDays, kSites}));
    Must(db.Execute("COMMIT"));
    harness->console.st.SelectedSiteNum = 500;
    return harness;
  }();
  return *h;
}

void BM_FillDataLogList(benchmark::State& state) {
  app::Console& c = Console().console;
  for (auto _ : state) sites::FillDataLogList(c);
  if (c.Get<sites::frmLog>().lstLog.Item(1).sub_items[0] == "n/a")
    state.SkipWithError("today has no row");
  state.counters["lines"] = c.Get<sites::frmLog>().lstLog.Count();
}
BENCHMARK(BM_FillDataLogList)->Unit(benchmark::kMillisecond);

void BM_GraphSevenSeries(benchmark::State& state) {
  app::Console& c = Console().console;
  sites::FillDataLogList(c);
  auto& graphs = c.Get<sites::frmGraphs>();
  for (int k = 0; k < sites::kGraphSeries; ++k) graphs.chkGraph[k].Value = ui::vbChecked;
  for (auto _ : state) graphs.chkGraph_Click();
  state.counters["operations"] = static_cast<double>(graphs.picGraph.Drawing().Count());
}
BENCHMARK(BM_GraphSevenSeries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
