// A whole callout run over N callout sites on virtual time, against the
// simulated modem and unit (every site answers, its dump and status are read,
// the status export is written and the window dials on after its 10 s),
// with the map shown or hidden (the map's blink pass reads every site each
// second): the wall time of the run, per site, and whether any step grows
// with the number of sites (the time per site, and the depth of nested
// receive loops when each site is dialled).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <stdexcept>

#include "app/frm_main.h"
#include "console_harness.h"
#include "simulated_site.h"
#include "sites/frm_map.h"
#include "unit/status_export.h"

namespace {

void AddCalloutSites(app::Console& c, int count) {
  if (c.Db.Execute("BEGIN") ||
      c.Db.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                   "INSERT INTO tSites (SiteName, SitePhone, SiteNum, SiteCustNum, CallOut, "
                   "SiteColor, AHResetTime) SELECT 'Site ' || i, '555' || i, i, i, 1, 0, 0 FROM n",
                   {count}) ||
      c.Db.Execute("COMMIT"))
    throw std::runtime_error("cannot add the sites");
}

void BM_CalloutRun(benchmark::State& state) {
  const int sites = static_cast<int>(state.range(0));
  const bool map_shown = state.range(1) != 0;
  for (auto _ : state) {
    testkit::ConsoleHarness h(vb::MakeDateTime(2026, 3, 2, 14, 0, 0));
    h.rt.Operator().SetFailureHandler([](const std::string& what) { throw std::runtime_error(what); });
    if (!h.Start()) throw std::runtime_error("no start-up");
    AddCalloutSites(h.console, sites);
    if (map_shown) h.console.Get<sites::frmMap>().Show();
    testkit::SimulatedSite site(h, {});
    site.AttachSerial(/*modem=*/true);
    int dialled = 0, deepest = 0;
    site.Modem()->on_note = [&](const std::string& note) {
      if (note.rfind("modem: dialling", 0) != 0) return;
      ++dialled;
      deepest = std::max(deepest, h.console.st.ReceiveLoopDepth);
    };
    std::function<void()> watch = [&] {
      if (!h.console.st.CalloutActive) h.console.st.StopReceive = true;
      else h.rt.After(60'000, watch);
    };
    h.rt.After(60'000, watch);
    const vb::DateTime virtual_start = h.rt.Now();
    const auto wall_start = std::chrono::steady_clock::now();
    h.rt.SetTimeLimit(virtual_start + 7LL * 86'400'000);
    h.console.Get<app::frmMain>().tmrCallout_Timer();
    h.rt.RunUntil([&] { return !h.console.st.CalloutActive && h.console.st.ReceiveLoopDepth == 0; },
                  7LL * 86'400'000);
    const double wall_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall_start).count();
    if (dialled != sites) throw std::runtime_error("not every site was dialled");
    state.counters["wall_ms_per_site"] = wall_ms / sites;
    state.counters["exports"] = h.folder.ReadFile(unit::kStatusExportFileName) ? 1 : 0;
    state.counters["virtual_h"] = static_cast<double>(h.rt.Now() - virtual_start) / 3.6e6;
    state.counters["deepest_loops"] = deepest;
  }
}
BENCHMARK(BM_CalloutRun)
    ->ArgNames({"sites", "map"})
    ->ArgsProduct({{10, 100, 1000}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
