// The graph window: up to seven series of the data-log list drawn over the
// days, on two value axes, on a picture four frames wide that the operator
// scrolls, 150 days at a time (the most recent, or the 150 before them).
#pragma once

#include <array>

#include "ui/controls.h"

namespace app {
class Console;
}

namespace sites {

inline constexpr int kGraphSeries = 7;
inline constexpr int kGraphSpanDays = 150;

class frmGraphs : public ui::Form {
 public:
  explicit frmGraphs(app::Console& c);

  // Series boxes (Tag: the list column drawn, back colour: the series
  // colour) with their colour labels, and the axis pair of series k,
  // chkAxis(2k) "Axis 1" and chkAxis(2k+1) "Axis 2".
  ui::Frame Frame1{*this, "Frame1"};
  ui::ControlArray<ui::CheckBox> chkGraph{*this, "chkGraph", &Frame1};
  ui::ControlArray<ui::CheckBox> chkAxis{*this, "chkAxis", &Frame1};
  ui::Label Label2{*this, "Label2", -1, &Frame1};
  ui::Label Label3{*this, "Label3", -1, &Frame1};
  ui::Label Label4{*this, "Label4", -1, &Frame1};
  ui::Label Label5{*this, "Label5", -1, &Frame1};
  ui::Label Label6{*this, "Label6", -1, &Frame1};
  ui::Label Label7{*this, "Label7", -1, &Frame1};
  ui::Label Label8{*this, "Label8", -1, &Frame1};
  // The empty label just around Frame2: the value labels stand beside it.
  ui::Label Label1{*this, "Label1"};
  ui::Frame Frame2{*this, "Frame2"};
  ui::PictureBox picGraph{*this, "picGraph", -1, &Frame2};
  ui::Frame Frame3{*this, "Frame3"};
  ui::ControlArray<ui::OptionButton> optSpan{*this, "optSpan", &Frame3};
  ui::HScrollBar HScroll1{*this, "HScroll1"};

  // Days drawn and how far the span lies back from the newest day.
  int SpanCount = kGraphSpanDays;
  int SpanOffset = 0;
  ui::Color GraphBackColor = ui::kSystemActiveBorder;
  int GridGrey = 230;

  // The painter: the whole picture drawn anew from the log list.
  void chkGraph_Click();
  void chkAxis_MouseUp(int Index);
  void optSpan_MouseUp(int Index);
  void HScroll1_Scroll();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  ui::Label& ColourLabel(int series);
  app::Console& c_;
};

}  // namespace sites
