// Containers: frames (a group box, or a bare panel without a border) and tab
// strips (tabs over a panel; the program shows the page of the selected
// tab). Children of a container are placed relative to its top-left corner.
#include <QGroupBox>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include "qt/control_views.h"
#include "qt/hooked_widget.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

class FrameView final : public ControlView {
 public:
  FrameView(ui::Frame& model, QWidget* widget, QGroupBox* box, ControlHost& host)
      : ControlView(model, widget, host), model_(model), box_(box) {}

  QWidget* ChildSurface() override { return Widget(); }

 protected:
  void Sync(ui::Prop) override {
    if (box_ != nullptr) box_->setTitle(ToQt(model_.Caption()));
  }
  void SyncColors() override { ApplyPalette(QPalette::Window, true); }

 private:
  ui::Frame& model_;
  QGroupBox* box_;  // nullptr for a frame without a border
};

using TabStripWidget = Painted<QWidget>;

class TabStripView final : public ControlView {
 public:
  TabStripView(ui::TabStrip& model, TabStripWidget* widget, ControlHost& host)
      : ControlView(model, widget, host), model_(model), widget_(widget), bar_(new QTabBar(widget)) {
    bar_->setObjectName(QStringLiteral("tabs"));
    widget_->setFocusProxy(bar_);  // the keyboard reaches the strip through its tabs
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    widget_->on_resize = [this] { PlaceBar(); };
    widget_->on_paint = [this](QPainter& painter) { PaintPanel(painter); };
    QObject::connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
      if (!Accepting() || index < 0) return;
      QPointer<TabStripView> self(this);
      model_.UserSelect(index + 1);
      if (self != nullptr && self->Attached()) self->ControlChanged(model_, ui::Prop::Value);
    });
  }

  QWidget* ChildSurface() override { return widget_; }

 protected:
  void Sync(ui::Prop) override {
    const QSignalBlocker block(bar_);
    QStringList captions;
    for (int i = 1; i <= model_.TabCount(); ++i) captions << ToQt(model_.TabCaption(i));
    if (captions != shown_) {
      while (bar_->count() > 0) bar_->removeTab(0);
      for (const QString& caption : captions) bar_->addTab(caption);
      shown_ = captions;
      PlaceBar();
    }
    const int index = model_.SelectedIndex() - 1;
    if (index >= 0 && index < bar_->count()) bar_->setCurrentIndex(index);
  }

 private:
  void PlaceBar() {
    bar_->setGeometry(0, 0, widget_->width(), bar_->sizeHint().height());
    widget_->update();
  }

  void PaintPanel(QPainter& painter) {
    QStyleOptionTabWidgetFrame option;
    option.initFrom(widget_);
    const int top = bar_->height() - 1;
    option.rect = QRect(0, top, widget_->width(), widget_->height() - top);
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = bar_->sizeHint();
    option.tabBarRect = bar_->geometry();
    option.selectedTabRect = bar_->tabRect(bar_->currentIndex());
    widget_->style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, widget_);
  }

  ui::TabStrip& model_;
  TabStripWidget* widget_;
  QTabBar* bar_;
  QStringList shown_;
};

}  // namespace

ControlView* MakeFrameView(ui::Frame& model, QWidget* parent, ControlHost& host) {
  if (model.BorderStyle() == 0) return Started(new FrameView(model, new QWidget(parent), nullptr, host));
  auto* box = new QGroupBox(parent);
  return Started(new FrameView(model, box, box, host));
}

ControlView* MakeTabStripView(ui::TabStrip& model, QWidget* parent, ControlHost& host) {
  return Started(new TabStripView(model, new TabStripWidget(parent), host));
}

}  // namespace qtui
