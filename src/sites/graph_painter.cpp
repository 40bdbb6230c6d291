// The graph window's painter: axis ranges from the ticked series, the grid,
// the value labels beside the plot, the date labels and the series lines,
// drawn anew on every change from the data-log list.
#include <algorithm>
#include <array>
#include <string>

#include "app/console.h"
#include "common/vb.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"

namespace sites {

namespace {

constexpr double kUnset = -999;
// Axis steps, tried in order until the range holds fewer than nine steps.
constexpr std::array<double, 19> kTickSteps = {1,  2,  3,   5,   7,   10,  12,  15,  20, 25,
                                               35, 50, 75, 100, 150, 200, 350, 500, -1};
constexpr std::array<const char*, 13> kMonthNames = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};
constexpr double kDateBand = 600;  // below the plot: three rows of date labels
// More grid lines than this would lie closer than a pixel apart; a range
// that big comes only from a corrupt value.
constexpr int kMostTicks = 100;

struct Axis {
  double maximum = kUnset;
  double minimum = kUnset;
  double step = 1;
  bool Set() const { return maximum != kUnset || minimum != kUnset; }
  // An axis without range (one value, or only days without a record) gets
  // one unit above its value, so nothing is divided by zero.
  void Settle() {
    if (!Set()) return;
    if (maximum <= minimum) maximum = minimum + 1;
    step = kTickSteps[kTickSteps.size() - 2];
    for (double s : kTickSteps) {
      if (s < 0) break;
      if ((maximum - minimum) / s < 9) {
        step = s;
        break;
      }
    }
    minimum = vb::Int(minimum / step) * step;
  }
};

// A cell's value as drawn: "n/a" and any text without a number read as 0.
double CellValue(const ui::ListItem& item, int column) {
  const auto at = static_cast<size_t>(column - 1);
  return at < item.sub_items.size() ? vb::Val(item.sub_items[at]) : 0;
}

// The largest and smallest value of a column over every listed day.
void Widen(Axis& axis, const ui::ListView& list, int column) {
  for (int row = 1; row <= list.Count(); ++row) {
    const double v = CellValue(list.Item(row), column);
    if (axis.maximum == kUnset || v > axis.maximum) axis.maximum = v;
    if (axis.minimum == kUnset || v < axis.minimum) axis.minimum = v;
  }
}

// "MM" of a date text "YYYY/MM/DD".
std::string MonthDigits(const std::string& date) { return vb::Mid(date, 6, 2); }

}  // namespace

void frmGraphs::chkGraph_Click() {
  const ui::ListView& list = c_.Get<frmLog>().lstLog;
  std::array<Axis, 3> axes;  // 1 and 2
  auto axis_of = [this](int k) { return chkAxis[2 * k].Value() == ui::vbChecked ? 1 : 2; };
  for (int k = 0; k < kGraphSeries; ++k)
    if (chkGraph[k].Value() == ui::vbChecked)
      Widen(axes[static_cast<size_t>(axis_of(k))], list, static_cast<int>(vb::Val(chkGraph[k].Tag())));
  SpanCount = std::min(list.Count() - 1, kGraphSpanDays);
  for (Axis& axis : axes) axis.Settle();

  picGraph.BackColor = GraphBackColor;
  picGraph.Cls();
  Cls();  // the value labels of the last drawing
  const double width = picGraph.ScaleWidth();
  const double bottom = picGraph.ScaleHeight() - kDateBand;
  if (SpanCount < 1 || bottom <= 0) return;
  const ui::Color grid = ui::RGB(GridGrey, GridGrey, GridGrey);
  auto x_of = [&](int i) { return vb::Int(i * width / SpanCount); };
  auto y_of = [&](const Axis& axis, double v) {
    return bottom - vb::Int((v - axis.minimum) / (axis.maximum - axis.minimum) * bottom);
  };
  // The list row of point i: the oldest day of the span on the left.
  auto row_of = [&](int i) { return SpanCount - i + SpanOffset + 1; };

  picGraph.DrawWidth = 1;
  for (int i = 1; i <= SpanCount; ++i) picGraph.Line(x_of(i), 0, x_of(i), bottom, grid);

  for (int a = 1; a <= 2; ++a) {
    const Axis& axis = axes[static_cast<size_t>(a)];
    if (!axis.Set()) continue;
    for (int n = 0; n < kMostTicks; ++n) {
      const double tick = axis.minimum + n * axis.step;
      if (tick > axis.maximum) break;
      const double y = y_of(axis, tick);
      picGraph.Line(0, y, width, y, grid);
      if (tick < -950) continue;
      const std::string text = vb::CStr(tick);
      CurrentX = a == 1 ? Label1.Left() - 75 - TextWidth(text)
                        : Label1.Left() + Label1.Width() + 30;
      CurrentY = Frame2.Top() + y - 45;
      Print(text);
    }
  }

  // Day of the month under each day's line; the year and the month's name
  // under the first day and wherever a new month begins. The newest day's
  // line is the picture's right edge: its labels end there, not beyond it.
  auto date_label = [&](int i, double below, const std::string& text) {
    picGraph.CurrentX = std::min(x_of(i) - 105, width - picGraph.TextWidth(text));
    picGraph.CurrentY = bottom + below;
    picGraph.Print(text);
  };
  std::string month_before;
  for (int i = 1; i <= SpanCount; ++i) {
    const int row = row_of(i);
    if (row > list.Count()) continue;  // a short list: the span starts later
    const std::string& date = list.Item(row).text;
    date_label(i, 30, vb::Right(date, 2));
    const std::string month = MonthDigits(date);
    if (month != month_before) {
      date_label(i, 210, vb::Left(date, 4));
      const int m = static_cast<int>(vb::Val(month));
      date_label(i, 420, m >= 1 && m <= 12 ? kMonthNames[static_cast<size_t>(m)] : "");
    }
    month_before = month;
  }

  picGraph.DrawWidth = 2;
  for (int k = 0; k < kGraphSeries; ++k) {
    if (chkGraph[k].Value() != ui::vbChecked) continue;
    const Axis& axis = axes[static_cast<size_t>(axis_of(k))];
    const int column = static_cast<int>(vb::Val(chkGraph[k].Tag()));
    const ui::Color colour = chkGraph[k].BackColor();
    bool has_previous = false;
    double px = 0, py = 0;
    for (int i = 0; i <= SpanCount; ++i) {
      const int row = row_of(i);
      if (row > list.Count()) continue;
      const double x = x_of(i);
      const double y = y_of(axis, CellValue(list.Item(row), column));
      if (has_previous) picGraph.Line(px, py, x, y, colour);
      has_previous = true;
      px = x;
      py = y;
    }
  }
  picGraph.DrawWidth = 1;
}

}  // namespace sites
