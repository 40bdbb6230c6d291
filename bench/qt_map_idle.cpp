// CPU used by the console on the Qt build while it sits idle with the map
// shown and 100 sites on it (the flash timer redrawing every icon once a
// second and the window repainting), over a wait of 60 s by default. The
// sites are in every colour ("mixed": two in three blink) or all in colour 0
// ("plain": nothing on the map changes). Of the idle CPU, the part spent in
// the flash timer's ticks (the query and the display list) as they ran; the
// rest is the window repainting and the event loop. Beside it, the flash
// tick alone, run back to back in the same process.
//
//   qt_map_idle [seconds] [sites] [mixed|plain]
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/console.h"
#include "app/frm_main.h"
#include "link/startup.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "qt/drawing_canvas.h"
#include "qt/form_view.h"
#include "qt/qt_runtime.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "sites/frm_map.h"
#include "temp_folder.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

// The console idles in the application's event loop.
void WaitFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  const int sites = argc > 2 ? std::atoi(argv[2]) : 100;
  const bool plain = argc > 3 && std::strcmp(argv[3], "plain") == 0;

  testkit::TempFolder temp;
  platform::ProgramFolder folder(temp.Path());
  folder.EnsureSeeded(VKX_DATA_DIR);
  qtui::QtRuntime rt;
  platform::MemoryRegistry registry;
  registry.SaveSetting("Settings", "MainWidth", "15000");
  registry.SaveSetting("Settings", "MainHeight", "11000");
  qtui::QtSerialPort serial(registry);
  qtui::QtTcpClient tcp;
  app::Console c(app::Services{rt, registry, folder, serial, tcp});
  if (!lnk::Main(c)) return 1;
  WaitFor(2500);  // through the start-up restore
  if (auto error = c.Db.Execute(
          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
          "INSERT INTO tSites (SiteName, SitePhone, SiteNum, SiteCustNum, SiteLatMin, SiteLonMin, "
          "SiteColor, AHResetTime) SELECT 'Site ' || i, '555' || i, i, 1000 + i, 20 + (i * 37) % 960, "
          "20 + (i * 53) % 960, i % ?, 0 FROM n",
          {sites, plain ? 1 : 3})) {
    std::fprintf(stderr, "%s\n", error->c_str());
    return 1;
  }
  auto& main_window = c.Get<app::frmMain>();
  main_window.tbToolBar.Press("Map");
  WaitFor(1500);
  auto& map = c.Get<sites::frmMap>();

  // The main window's flash tick, timed as it runs.
  double in_ticks = 0;
  long ticks = 0;
  main_window.tmrFlash.Tick = [&] {
    const double t0 = ThreadCpuSeconds();
    map.DrawSites();
    in_ticks += ThreadCpuSeconds() - t0;
    ++ticks;
  };
  const qtui::DrawingCanvas& canvas = *rt.ViewOf(map)->Canvas();
  const auto painted0 = canvas.Repainted();
  const double cpu0 = CpuSeconds();
  const auto wall0 = std::chrono::steady_clock::now();
  WaitFor(seconds * 1000);
  const double cpu = CpuSeconds() - cpu0;
  const auto painted = canvas.Repainted();
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();

  // The flash tick back to back; an even number keeps the blink phase.
  constexpr int kTicks = 100;
  const double tick0 = ThreadCpuSeconds();
  for (int i = 0; i < kTicks; ++i) map.DrawSites();
  const double tick = (ThreadCpuSeconds() - tick0) / kTicks;

  std::printf("qt_map_idle: map shown (%.0f x %.0f twips) with %d sites (%s), idle for %.1f s\n",
              map.ScaleWidth(), map.ScaleHeight(), sites, plain ? "plain" : "mixed", wall);
  std::printf("  cpu seconds   %.3f (%.3f%% of one core)\n", cpu, 100.0 * cpu / wall);
  std::printf("  in the ticks  %.3f (%.3f%% of one core; %ld ticks, %.3f ms each)\n", in_ticks,
              100.0 * in_ticks / wall, ticks, ticks > 0 ? 1000 * in_ticks / ticks : 0.0);
  std::printf("  the rest      %.3f (%.3f%% of one core)\n", cpu - in_ticks,
              100.0 * (cpu - in_ticks) / wall);
  std::printf("  repainted     %lld pixels (%lld as painted before), %lld operations, "
              "%lld runs indexed; %d times whole\n",
              painted.pixels - painted0.pixels, painted.remembered - painted0.remembered,
              painted.operations - painted0.operations,
              painted.runs_indexed - painted0.runs_indexed, painted.whole - painted0.whole);
  std::printf("  flash tick    %.3f ms back to back (%.3f%% of one core at one a second)\n",
              1000 * tick, 100.0 * tick);
  std::printf("  drawn         %zu operations\n", map.Drawing().Count());
  return 0;
}
