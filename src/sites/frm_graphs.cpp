#include "sites/frm_graphs.h"

#include "app/console.h"
#include "sites/frm_log.h"

namespace sites {

namespace {

struct SeriesDesign {
  const char* caption;
  const char* tag;  // the list column drawn
  ui::Color colour;
};
constexpr std::array<SeriesDesign, kGraphSeries> kSeries = {{
    {"BATV", "2", 0x00C00000},
    {"pVamp", "3", 0x0000C000},
    {"LDamp", "5", 0x000000FF},
    {"SUN", "6", 0x00C0C000},
    {"TBat", "7", 0x00C000C0},
    {"TAmb", "8", 0x00FF8080},
    {"Gen", "9", 0x0080C0FF},
}};

// Black captions on light series colours, white on dark ones.
ui::Color CaptionColour(ui::Color back) {
  const int r = back & 0xFF, g = (back >> 8) & 0xFF, b = (back >> 16) & 0xFF;
  return r * 299 + g * 587 + b * 114 < 128000 ? ui::vbWhite : ui::vbBlack;
}

// Layout in twips: the plot frame, and one column of Frame1 per series.
constexpr int kPlotLeft = 930, kPlotTop = 150, kPlotWidth = 10320, kPlotHeight = 5400;
constexpr int kSeriesColumn = 1500;
constexpr int kTwipsPerScrollUnit = 15;

}  // namespace

frmGraphs::frmGraphs(app::Console& c) : ui::Form(c.rt, "frmGraphs"), c_(c) {
  SetMDIChild();
  chkGraph.OnLoaded = [this](ui::CheckBox& box, int) { box.Click = [this] { chkGraph_Click(); }; };
  chkAxis.OnLoaded = [this](ui::CheckBox& box, int index) {
    box.MouseUp = [this, index](int, int, double, double) { chkAxis_MouseUp(index); };
  };
  optSpan.OnLoaded = [this](ui::OptionButton& option, int index) {
    option.MouseUp = [this, index](int, int, double, double) { optSpan_MouseUp(index); };
  };
  // Arrows and track change the value without a thumb drag: the picture
  // follows every change.
  HScroll1.Scroll = [this] { HScroll1_Scroll(); };
  HScroll1.Change = [this] { HScroll1_Scroll(); };
}

ui::Label& frmGraphs::ColourLabel(int series) {
  ui::Label* labels[kGraphSeries] = {&Label2, &Label3, &Label4, &Label5,
                                     &Label6, &Label7, &Label8};
  return *labels[series];
}

void frmGraphs::Design() {
  Caption = "Graphs";
  Move(0, 0, 13800, 7900);
  Label1.Caption = "";
  Label1.BorderStyle = 1;
  Label1.Move(kPlotLeft - 30, kPlotTop - 30, kPlotWidth + 60, kPlotHeight + 60);
  Frame2.BorderStyle = 0;
  Frame2.Move(kPlotLeft, kPlotTop, kPlotWidth, kPlotHeight);
  picGraph.BorderStyle = 0;
  picGraph.Move(0, 0, kPlotWidth, kPlotHeight);
  HScroll1.Move(kPlotLeft, kPlotTop + kPlotHeight + 90, kPlotWidth, 255);

  Frame1.Caption = "Series";
  Frame1.Move(120, 6000, 240 + kGraphSeries * kSeriesColumn, 1140);
  for (int k = 0; k < kGraphSeries; ++k) {
    const int x = 120 + k * kSeriesColumn;
    ui::CheckBox& box = chkGraph.Load(k);
    box.Caption = kSeries[k].caption;
    box.Value.Init(ui::vbUnchecked);
    box.Tag = kSeries[k].tag;
    box.BackColor = kSeries[k].colour;
    box.ForeColor = CaptionColour(kSeries[k].colour);
    box.Move(x, 270, 1020, 285);
    ui::Label& swatch = ColourLabel(k);
    swatch.BackColor = kSeries[k].colour;
    swatch.BorderStyle = 1;
    swatch.Move(x + 1080, 300, 270, 225);
    for (int a = 0; a < 2; ++a) {
      ui::CheckBox& axis = chkAxis.Load(2 * k + a);
      axis.Style = ui::vbGraphical;
      axis.Caption = a == 0 ? "Axis 1" : "Axis 2";
      axis.Move(x + a * 690, 660, 660, 375);
    }
  }
  Frame3.Caption = "Span";
  Frame3.Move(11040, 6000, 2520, 1140);
  optSpan.Load(1).Caption = "Most recent 150 values";
  optSpan[1].Move(120, 300, 2300, 285);
  optSpan.Load(2).Caption = "Previous 150 values";
  optSpan[2].Move(120, 660, 2300, 285);
}

void frmGraphs::Form_Load() {
  optSpan[1].Value = true;
  SpanOffset = 0;
  GraphBackColor = ui::kSystemActiveBorder;
  GridGrey = 230;
  for (int k = 0; k < kGraphSeries; ++k) {
    chkAxis[2 * k].Value = ui::vbChecked;
    chkAxis[2 * k + 1].Value = ui::vbUnchecked;
  }
  picGraph.Width = Frame2.Width();
  picGraph.Left = 0;
  HScroll1.Visible = false;
  SpanCount = kGraphSpanDays;
  optSpan_MouseUp(1);
}

// The log list goes with the graphs.
void frmGraphs::Form_Unload(int& /*cancel*/) { c_.Unload<frmLog>(); }

void frmGraphs::optSpan_MouseUp(int Index) {
  const int frame = Frame2.Width();
  picGraph.Width = 4 * frame;
  picGraph.Left = frame - picGraph.Width();
  HScroll1.Max = (picGraph.Width() - frame) / kTwipsPerScrollUnit;
  HScroll1.Value = HScroll1.Max();
  HScroll1.LargeChange = frame / kTwipsPerScrollUnit;
  HScroll1.Visible = true;
  SpanOffset = Index == 1 ? 0 : SpanCount;
  chkGraph_Click();
}

void frmGraphs::HScroll1_Scroll() { picGraph.Left = -(HScroll1.Value() * kTwipsPerScrollUnit); }

// Exactly one axis button of a pair is down: a click on the down one
// leaves it down.
void frmGraphs::chkAxis_MouseUp(int Index) {
  chkAxis[Index % 2 == 0 ? Index + 1 : Index - 1].Value = ui::vbUnchecked;
  if (chkAxis[Index].Value() == ui::vbUnchecked) chkAxis[Index].Value = ui::vbChecked;
  if (chkGraph[Index / 2].Value() == ui::vbChecked) chkGraph_Click();
}

}  // namespace sites
