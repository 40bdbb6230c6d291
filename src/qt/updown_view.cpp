// The up-down spinner: a pair of arrow buttons that repeat while held, each
// press going to the model (PressUp / PressDown). The value itself is shown
// by the text box the program pairs it with, as in the original.
#include <QBoxLayout>
#include <QToolButton>

#include "qt/control_views.h"

namespace qtui {

namespace {

class UpDownView final : public ControlView {
 public:
  UpDownView(ui::UpDown& model, QWidget* widget, ControlHost& host)
      : ControlView(model, widget, host),
        model_(model),
        layout_(new QBoxLayout(QBoxLayout::TopToBottom, widget)),
        up_(MakeArrow(widget, "up")),
        down_(MakeArrow(widget, "down")) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(up_);
    layout_->addWidget(down_);
    QObject::connect(up_, &QToolButton::clicked, this, [this] {
      Deliver([this] { model_.PressUp(); });
    });
    QObject::connect(down_, &QToolButton::clicked, this, [this] {
      Deliver([this] { model_.PressDown(); });
    });
  }

 protected:
  void Sync(ui::Prop) override {}
  // Wider than tall: the arrows sit side by side and point left and right.
  void SyncGeometry() override {
    ControlView::SyncGeometry();
    const bool horizontal = Widget()->width() > Widget()->height();
    layout_->setDirection(horizontal ? QBoxLayout::RightToLeft : QBoxLayout::TopToBottom);
    up_->setArrowType(horizontal ? Qt::RightArrow : Qt::UpArrow);
    down_->setArrowType(horizontal ? Qt::LeftArrow : Qt::DownArrow);
  }

 private:
  static QToolButton* MakeArrow(QWidget* parent, const char* name) {
    auto* arrow = new QToolButton(parent);
    arrow->setObjectName(QString::fromLatin1(name));
    arrow->setAutoRepeat(true);
    arrow->setAutoRepeatDelay(400);
    arrow->setAutoRepeatInterval(80);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    arrow->setMinimumSize(1, 1);
    return arrow;
  }

  ui::UpDown& model_;
  QBoxLayout* layout_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace

ControlView* MakeUpDownView(ui::UpDown& model, QWidget* parent, ControlHost& host) {
  return Started(new UpDownView(model, new QWidget(parent), host));
}

}  // namespace qtui
