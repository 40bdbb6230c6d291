// The graph window drawn from the log list, on its display lists: grid and
// dates, a scale per axis with its labels, the two spans, days without a
// record, a whole drawing against a stored reference, and the window
// closing when a modem call starts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/frm_main.h"
#include "common/vb.h"
#include "data_logs_fixture.h"
#include "link/modem_call.h"
#include "link/settings_access.h"
#include "sites/data_log_list.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"

namespace logtest {
namespace {

class Graphs : public DataLogs {
 protected:
  // 200 days back with a record, but for three days ago and today: column 2
  // (BATV) 12.99 falling to 11.00, column 7 (TBat) 5.
  void SetUp() override {
    DataLogs::SetUp();
    ASSERT_FALSE(h.console.Db.Execute(
        "WITH RECURSIVE d(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM d WHERE k < 200) "
        "INSERT INTO tData SELECT 12, CAST(strftime('%Y%m%d', '2026-03-02', '-' || k || ' days') "
        "AS INTEGER), 14, 13 - k / 100.0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 FROM d WHERE k != 3"));
    sites::FillDataLogList(h.console);
    h.console.st.EepromImage = "(Data)";
    graphs_key = std::make_unique<ui::ToolbarButton>(Main().tbToolBar, 99);
    graphs_key->Key = "Graphs";  // no design button carries it
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

  std::unique_ptr<ui::ToolbarButton> graphs_key;
  const double bottom = 5400 - 600;  // the plot above three rows of dates
  const ui::Color batv = 0x00C00000, tbat = 0x00C000C0;
};

TEST_F(Graphs, NoSeriesTickedDrawsTheDaysGridAndDatesOnly) {
  EXPECT_EQ(graphs_key->Value(), ui::tbrPressed);
  EXPECT_EQ(Lines(ui::RGB(230, 230, 230)).size(), 150u);
  EXPECT_EQ(G().picGraph.Drawing().OfKind<ui::DrawLine>().size(), 150u) << "no value lines";
  EXPECT_EQ(G().picGraph.Drawing().OfKind<ui::DrawText>().front().text, "04") << "4 Oct 2025";
  for (const auto& label : G().picGraph.Drawing().OfKind<ui::DrawText>())
    EXPECT_LE(label.x + G().picGraph.TextWidth(label.text), G().picGraph.ScaleWidth())
        << label.text << " runs past the picture";
  EXPECT_EQ(G().Drawing().Count(), 0u) << "no value labels";
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
  std::string left, right;
  for (const auto& label : G().Drawing().OfKind<ui::DrawText>()) {
    const bool on_right = label.x == G().Label1.Left() + G().Label1.Width() + 30;
    EXPECT_TRUE(on_right || label.x + G().TextWidth(label.text) == G().Label1.Left() - 75);
    (on_right ? right : left) += label.text + " ";
  }
  EXPECT_EQ(left, "0 2 4 6 8 10 12 ") << "BATV up to 12.99, a day without a record at 0";
  EXPECT_EQ(right, "0 1 2 3 4 5 ");
  for (const auto& line : Lines(tbat)) EXPECT_TRUE(line.y2 == 0 || line.y2 == bottom);
}

TEST_F(Graphs, DaysWithoutARecordDrawAt0AndThePreviousSpanThe150DaysBefore) {
  G().chkGraph[0].Press();
  EXPECT_EQ(Lines(batv).back().y2, bottom) << "today";
  const double three_days_ago = std::floor(147 * G().picGraph.ScaleWidth() / 150);
  EXPECT_EQ(Lines(batv)[146].x2, three_days_ago);
  EXPECT_EQ(Lines(batv)[146].y2, bottom);
  G().optSpan[2].Press();
  EXPECT_EQ(Lines(batv).size(), 150u);
  EXPECT_LT(Lines(batv).back().y2, bottom) << "150 days back has a record";
  EXPECT_EQ(G().picGraph.Drawing().OfKind<ui::DrawText>().back().text, "03") << "3 Oct 2025";
  G().HScroll1.UserScroll(0);  // to the span's oldest day
  EXPECT_EQ(G().picGraph.Left(), 0);
}

// The span is 150 days, or one fewer than the list's rows; the previous span
// holds only the days the list has before the recent one.
TEST_F(Graphs, ThePreviousSpanOfAShortListHoldsOnlyTheDaysBeforeTheRecentOne) {
  G().chkGraph[0].Press();
  ui::ListView& list = h.console.Get<sites::frmLog>().lstLog;
  const struct {
    int rows;
    std::size_t recent_lines, previous_lines;
  } cases[] = {{366, 150, 150}, {200, 150, 49}, {151, 150, 0}, {101, 100, 0}};
  for (const auto& c : cases) {
    while (list.Count() > c.rows) list.Remove(list.Count());
    G().optSpan[1].Press();
    EXPECT_EQ(Lines(batv).size(), c.recent_lines) << c.rows;
    std::size_t days = 0;  // the grid's lines down the plot, one per day drawn
    for (const auto& line : Lines(ui::RGB(230, 230, 230))) days += line.x1 == line.x2;
    EXPECT_EQ(days, c.recent_lines) << c.rows;
    G().optSpan[2].Press();
    EXPECT_EQ(Lines(batv).size(), c.previous_lines) << c.rows;
    EXPECT_EQ(G().SpanOffset, G().SpanCount);
  }
}

// A modem call starts a session: the graphs close and the log list goes
// (here the modem's port cannot open, so no session follows).
TEST_F(Graphs, AModemCallClosesTheGraphsAndTheLogList) {
  h.console.Get<sites::frmLog>().Show();
  h.serial.missing_ports = {vb::CInt(lnk::SettingValue(h.console, "ModemComPort"))};
  h.rt.Operator().ExpectMsgBox("Invalid COM port setting -- check modem settings.");
  lnk::StartModemCall(h.console);
  EXPECT_EQ(h.console.IfLoaded<sites::frmGraphs>(), nullptr);
  const auto* log = h.console.IfLoaded<sites::frmLog>();
  EXPECT_TRUE(log == nullptr || !log->Visible());
}

TEST_F(Graphs, TwoSeriesOnTwoAxesDrawAsTheStoredReference) {
  G().chkAxis[3].Press();
  G().chkGraph[1].Press();
  G().chkGraph[5].Press();
  std::ostringstream drawn;
  for (const ui::DisplayList* list : {&G().picGraph.Drawing(), &G().Drawing()})
    list->ForEach([&](const ui::DrawOp& op) {
      if (const auto* l = std::get_if<ui::DrawLine>(&op))
        drawn << "line " << l->x1 << ' ' << l->y1 << ' ' << l->x2 << ' ' << l->y2 << ' '
              << l->color << ' ' << l->width << '\n';
      if (const auto* t = std::get_if<ui::DrawText>(&op))
        drawn << "text " << t->x << ' ' << t->y << ' ' << t->text << '\n';
    });
  const auto path = std::filesystem::path(testkit::ShippedDataDir()).parent_path() /
                    "tests/unit/reference/graphs.txt";
  if (std::getenv("VKX_UPDATE_REFERENCE") != nullptr) std::ofstream(path) << drawn.str();
  std::ifstream in(path);
  EXPECT_EQ(drawn.str(), std::string(std::istreambuf_iterator<char>(in), {}))
      << "VKX_UPDATE_REFERENCE=1 stores a new reference";
}

}  // namespace
}  // namespace logtest
