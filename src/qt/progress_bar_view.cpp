#include <QProgressBar>
#include <algorithm>

#include "qt/control_views.h"

namespace qtui {

namespace {

class ProgressBarView final : public ControlView {
 public:
  ProgressBarView(ui::ProgressBar& model, QProgressBar* bar, ControlHost& host)
      : ControlView(model, bar, host), model_(model), bar_(bar) {
    bar_->setTextVisible(false);  // the original's bar shows no percentage
  }

 protected:
  void Sync(ui::Prop) override {
    const int min = model_.Min();
    const int max = std::max(model_.Max(), min + 1);
    bar_->setRange(min, max);
    bar_->setValue(std::clamp(model_.Value(), min, max));
  }

 private:
  ui::ProgressBar& model_;
  QProgressBar* bar_;
};

}  // namespace

ControlView* MakeProgressBarView(ui::ProgressBar& model, QWidget* parent, ControlHost& host) {
  return Started(new ProgressBarView(model, new QProgressBar(parent), host));
}

}  // namespace qtui
