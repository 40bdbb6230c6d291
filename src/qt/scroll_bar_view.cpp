// The horizontal scroll bar: the thumb follows the model, and whatever the
// operator does to it (drag, arrows, track) goes to the model as a scroll.
#include <QScrollBar>
#include <algorithm>

#include "qt/control_views.h"

namespace qtui {

namespace {

class HScrollBarView final : public ControlView {
 public:
  HScrollBarView(ui::HScrollBar& model, QScrollBar* bar, ControlHost& host)
      : ControlView(model, bar, host), model_(model), bar_(bar) {
    QObject::connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
      if (Accepting()) model_.UserScroll(value);
    });
  }

 protected:
  void Sync(ui::Prop) override {
    const int min = std::min(model_.Min(), model_.Max());
    const int max = std::max(model_.Min(), model_.Max());
    bar_->setRange(min, max);
    bar_->setSingleStep(std::max(1, model_.SmallChange()));
    bar_->setPageStep(std::max(1, model_.LargeChange()));
    bar_->setValue(std::clamp(model_.Value(), min, max));
  }

 private:
  ui::HScrollBar& model_;
  QScrollBar* bar_;
};

}  // namespace

ControlView* MakeHScrollBarView(ui::HScrollBar& model, QWidget* parent, ControlHost& host) {
  return Started(new HScrollBarView(model, new QScrollBar(Qt::Horizontal, parent), host));
}

}  // namespace qtui
