// The graph picture as the Qt build puts it on the screen: all seven series
// over the most recent span of a full year of one site, drawn by the graph
// window's painter into its display list and then painted by Qt, at the
// picture's whole size (four frames wide), into an image.
//  - BM_GraphPicture: painter and Qt painting together;
//  - BM_GraphPaintOnly: Qt painting of the display list alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <stdexcept>
#include <string>

#include "console_harness.h"
#include "qt/display_list_painter.h"
#include "qt/qt_convert.h"
#include "sites/data_log_list.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"

namespace {

// A year of days up to the console's today, every value present.
constexpr const char* kYear =
    "WITH RECURSIVE d(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM d WHERE k < 365) "
    "INSERT INTO tData SELECT 12, CAST(strftime('%Y%m%d', '2026-03-02', '-' || k || ' days') "
    "AS INTEGER), 13.5 + (k % 50) / 100.0, 11.8 + (k % 40) / 100.0, 13.4, 12.1, "
    "8.5 + (k % 30) / 10.0, 2.1, 31 - k % 9, 18, 29 - k % 7, 17, 41, -(k % 12), 120.5 + k % 20, 98.2 "
    "FROM d";

struct GraphConsole {
  GraphConsole() {
    if (!h.Start()) throw std::runtime_error("start-up failed");
    if (auto error = h.console.Db.Execute(kYear)) throw std::runtime_error(*error);
    h.console.st.SelectedSiteNum = 12;
    sites::FillDataLogList(h.console);
    for (int k = 0; k < sites::kGraphSeries; ++k) graphs.chkGraph[k].Value = ui::vbChecked;
    graphs.chkGraph_Click();
  }
  // The picture at its size in pixels, cleared to its back colour, with the
  // display list painted over it.
  void Paint(QImage& image) {
    image.fill(qtui::ToQColor(graphs.picGraph.BackColor(), QApplication::palette()));
    QPainter painter(&image);
    qtui::PaintDisplayList(painter, graphs.picGraph.Drawing(), QApplication::palette());
  }
  QImage Image() {
    return QImage(qtui::TwipsToPx(graphs.picGraph.Width()), qtui::TwipsToPx(graphs.picGraph.Height()),
                  QImage::Format_ARGB32_Premultiplied);
  }
  testkit::ConsoleHarness h;
  sites::frmGraphs& graphs = h.console.Get<sites::frmGraphs>();
};

GraphConsole& Console() {
  static GraphConsole* console = new GraphConsole;
  return *console;
}

void BM_GraphPicture(benchmark::State& state) {
  GraphConsole& g = Console();
  QImage image = g.Image();
  for (auto _ : state) {
    g.graphs.chkGraph_Click();
    g.Paint(image);
  }
  state.counters["width_px"] = image.width();
  state.counters["height_px"] = image.height();
  state.counters["operations"] = static_cast<double>(g.graphs.picGraph.Drawing().Count());
}
BENCHMARK(BM_GraphPicture)->Unit(benchmark::kMillisecond);

void BM_GraphPaintOnly(benchmark::State& state) {
  GraphConsole& g = Console();
  QImage image = g.Image();
  for (auto _ : state) g.Paint(image);
}
BENCHMARK(BM_GraphPaintOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
