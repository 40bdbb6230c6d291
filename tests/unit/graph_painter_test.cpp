// The graph window drawn from the log list, checked on its display lists:
// grid and dates, one scale per axis with its labels, the two spans, days
// without a record, and a whole drawing against a stored reference.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "app/frm_main.h"
#include "data_logs_fixture.h"
#include "sites/data_log_list.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"

namespace logtest {
namespace {

class Graphs : public DataLogs {
 protected:
  // 200 days before today with a record, but for three days ago: battery
  // volts (column 2) 11.00 to 12.99 falling back in time, battery
  // temperature (column 7) 5, the other values as AddDay gives them.
  void SetUp() override {
    DataLogs::SetUp();
    ASSERT_FALSE(h.console.Db.Execute(
        "WITH RECURSIVE d(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM d WHERE k < 200) "
        "INSERT INTO tData SELECT 12, CAST(strftime('%Y%m%d', '2026-03-02', '-' || k || ' days') "
        "AS INTEGER), 14, 13 - k / 100.0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 FROM d WHERE k != 3"));
    sites::FillDataLogList(h.console);
    h.console.st.EepromImage = "(Data)";
    graphs_key = std::make_unique<ui::ToolbarButton>(Main().tbToolBar, 99);
    graphs_key->Key = "Graphs";
    Main().tbToolBar_ButtonClick(*graphs_key);
  }
  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  sites::frmGraphs& G() { return h.console.Get<sites::frmGraphs>(); }
  std::vector<ui::DrawLine> Lines(ui::Color colour) {
    std::vector<ui::DrawLine> out;
    for (const auto& line : G().picGraph.Drawing().OfKind<ui::DrawLine>())
      if (line.color == colour) out.push_back(line);
    return out;
  }
  double Bottom() { return G().picGraph.ScaleHeight() - 600; }

  std::unique_ptr<ui::ToolbarButton> graphs_key;  // no design button carries the key
  const ui::Color grid = ui::RGB(230, 230, 230);
  const ui::Color batv = 0x00C00000, tbat = 0x00C000C0;
};

TEST_F(Graphs, NoSeriesTickedDrawsTheDaysGridAndDatesOnly) {
  ASSERT_TRUE(G().Visible());
  EXPECT_EQ(graphs_key->Value(), ui::tbrPressed);
  const auto& ops = G().picGraph.Drawing();
  EXPECT_EQ(Lines(grid).size(), ops.OfKind<ui::DrawLine>().size());
  EXPECT_EQ(Lines(grid).size(), 150u) << "one line per day, no value grid";
  EXPECT_EQ(ops.OfKind<ui::DrawText>().front().text, "04") << "4 October 2025";
  EXPECT_TRUE(G().Drawing().Ops().empty()) << "no value labels";
  Main().tbToolBar_ButtonClick(*graphs_key);
  EXPECT_FALSE(h.console.IfLoaded<sites::frmGraphs>());
  EXPECT_FALSE(h.console.IfLoaded<sites::frmLog>()) << "the log list goes with the graphs";
}

TEST_F(Graphs, ASeriesOnAxis2HasItsOwnScaleLabelledRightOfThePlot) {
  G().chkAxis[9].Press();  // TBat on axis 2
  G().chkAxis[9].Press();  // a click on the down button keeps it down
  EXPECT_EQ(G().chkAxis[8].Value(), ui::vbUnchecked);
  G().chkGraph[0].Press();
  G().chkGraph[4].Press();
  std::vector<std::string> left, right;
  for (const auto& label : G().Drawing().OfKind<ui::DrawText>()) {
    if (label.x > G().Label1.Left()) {
      EXPECT_EQ(label.x, G().Label1.Left() + G().Label1.Width() + 30);
      right.push_back(label.text);
    } else {
      EXPECT_EQ(label.x + G().TextWidth(label.text), G().Label1.Left() - 75);
      left.push_back(label.text);
    }
  }
  // Days without a record read 0: BATV 0 to 12.99 in steps of 2, TBat 0 to 5.
  EXPECT_EQ(left, (std::vector<std::string>{"0", "2", "4", "6", "8", "10", "12"}));
  EXPECT_EQ(right, (std::vector<std::string>{"0", "1", "2", "3", "4", "5"}));
  for (const auto& line : Lines(tbat)) EXPECT_TRUE(line.y2 == 0 || line.y2 == Bottom());
}

TEST_F(Graphs, PreviousSpanDrawsThe150DaysBeforeTheMostRecent) {
  G().chkGraph[0].Press();
  auto newest = [&] { return Lines(batv).back(); };
  EXPECT_EQ(newest().x2, G().picGraph.ScaleWidth());
  EXPECT_EQ(newest().y2, Bottom()) << "today has no record: drawn at 0";
  const double x_three_days_ago = std::floor(147 * G().picGraph.ScaleWidth() / 150);
  bool dropped = false;
  for (const auto& line : Lines(batv)) dropped |= line.x2 == x_three_days_ago && line.y2 == Bottom();
  EXPECT_TRUE(dropped) << "a day without a record is drawn at 0";

  G().optSpan[2].Press();
  EXPECT_EQ(G().SpanOffset, 150);
  EXPECT_EQ(Lines(batv).size(), 150u);
  EXPECT_LT(newest().y2, Bottom()) << "150 days back has a record";
  const auto texts = G().picGraph.Drawing().OfKind<ui::DrawText>();
  EXPECT_EQ(texts.back().text, "03") << "3 October 2025, the day before the recent span";
  G().HScroll1.UserScroll(0);  // to the oldest day of the span
  EXPECT_EQ(G().picGraph.Left(), 0);
}

// One line per drawing operation, to compare with the stored reference.
std::string Describe(const ui::DisplayList& list) {
  std::ostringstream out;
  for (const auto& op : list.Ops()) {
    if (const auto* l = std::get_if<ui::DrawLine>(&op))
      out << "line " << l->x1 << ' ' << l->y1 << ' ' << l->x2 << ' ' << l->y2 << ' ' << l->color
          << ' ' << l->width << '\n';
    else if (const auto* t = std::get_if<ui::DrawText>(&op))
      out << "text " << t->x << ' ' << t->y << ' ' << t->text << '\n';
    else
      out << "other\n";
  }
  return out.str();
}

TEST_F(Graphs, TwoSeriesOnTwoAxesDrawAsTheReferenceDrawing) {
  G().chkAxis[3].Press();
  G().chkGraph[1].Press();
  G().chkGraph[5].Press();
  const std::string drawn = "picGraph\n" + Describe(G().picGraph.Drawing()) + "frmGraphs\n" +
                            Describe(G().Drawing());
  const auto path = std::filesystem::path(testkit::ShippedDataDir()).parent_path() / "tests" /
                    "unit" / "reference" / "graphs.txt";
  if (std::getenv("VKX_UPDATE_REFERENCE") != nullptr) std::ofstream(path) << drawn;
  std::ifstream in(path);
  const std::string reference{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(drawn, reference) << "set VKX_UPDATE_REFERENCE=1 to store a new reference";
}

}  // namespace
}  // namespace logtest
