// A bar gauge drawn as filled boxes in the rectangle of its label.
#include <gtest/gtest.h>

#include <vector>

#include "link/status_display.h"
#include "ui/controls.h"
#include "virtual_runtime.h"

namespace {

using ui::DrawBox;

struct GaugeForm : ui::Form {
  explicit GaugeForm(ui::Runtime& rt) : ui::Form(rt, "GaugeForm") {}
  ui::PictureBox picture{*this, "picture"};
  ui::Label column{*this, "column", -1, &picture};
};

class BarGauge : public ::testing::Test {
 protected:
  // The online window's battery voltage and battery temperature columns.
  void Volts() {
    form.column.Move(645, 840, 345, 1785);
    form.column.Tag = "60,54,36,0";
  }
  void Temperature() {
    form.column.Move(645, 840, 345, 1455);
    form.column.Tag = "60,40,0,-20";
  }
  std::vector<DrawBox> Draw(double value) {
    lnk::DrawGauge(form.picture, form.column, value);
    return form.picture.Drawing().OfKind<DrawBox>();
  }
  // A filled box of the column from y1 down to the column's bottom.
  DrawBox Column(double y1, ui::Color color) const {
    const double left = form.column.Left();
    return DrawBox{left, y1, left + form.column.Width(),
                   static_cast<double>(form.column.Top() + form.column.Height()), color, true};
  }

  testkit::VirtualRuntime rt;
  GaugeForm form{rt};
};

TEST_F(BarGauge, AValueAboveTheTopLightsTheWholeColumn) {
  Volts();
  const auto y = [](double x) { return 840 + 1785 * (60 - x) / 60; };
  EXPECT_EQ(Draw(61.00), (std::vector<DrawBox>{
                             Column(840, lnk::kGaugeDarkRed),
                             Column(y(54), lnk::kGaugeDarkYellow),
                             Column(y(36), lnk::kGaugeDarkBlue),
                             Column(840, lnk::kGaugeRed),
                             Column(y(54), lnk::kGaugeYellow),
                             Column(y(36), lnk::kGaugeBlue),
                         }));
}

TEST_F(BarGauge, AValueInTheMiddleZoneLightsYellowToItAndBlueBelow) {
  Temperature();
  const auto y = [](double x) { return 840 + 1455 * (60 - x) / 80; };
  EXPECT_EQ(Draw(20), (std::vector<DrawBox>{
                          Column(840, lnk::kGaugeDarkRed),
                          Column(y(40), lnk::kGaugeDarkYellow),
                          Column(y(0), lnk::kGaugeDarkBlue),
                          Column(y(20), lnk::kGaugeYellow),
                          Column(y(0), lnk::kGaugeBlue),
                      }));
}

TEST_F(BarGauge, AValueAtOrBelowTheBottomLightsNothing) {
  Temperature();
  EXPECT_EQ(Draw(-25).size(), 3u);
  EXPECT_EQ(Draw(-20).size(), 3u);
  const auto lit = Draw(-19);
  ASSERT_EQ(lit.size(), 4u);
  EXPECT_EQ(lit[3].color, lnk::kGaugeBlue);
}

TEST_F(BarGauge, ARedrawReplacesTheEarlierColumn) {
  Volts();
  Draw(61);
  const auto boxes = Draw(10);
  EXPECT_EQ(boxes.size(), 4u);
  EXPECT_EQ(form.picture.Drawing().Count(), 4u);
}

TEST_F(BarGauge, AScaleWithoutHeightDrawsNothing) {
  form.column.Move(645, 840, 345, 1455);
  form.column.Tag = "20,20,20,20";
  EXPECT_TRUE(Draw(20).empty());
  form.column.Tag = "60,40";
  EXPECT_TRUE(Draw(20).empty());
}

}  // namespace
