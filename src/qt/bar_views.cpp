// Tool bars and status bars. Placed on the form itself, they dock to the
// form's main window (top and bottom edges); inside a container they are
// placed like any other control.
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <vector>

#include "qt/control_views.h"
#include "qt/named_pictures.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

constexpr int kToolIconPx = 24;

class ToolbarView final : public ControlView {
 public:
  ToolbarView(ui::Toolbar& model, QToolBar* bar, ControlHost& host)
      : ControlView(model, bar, host), model_(model), bar_(bar) {
    bar_->setMovable(false);
    bar_->setFloatable(false);
    bar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar_->setIconSize(QSize(kToolIconPx, kToolIconPx));
    if (QMainWindow* window = host.DockWindowFor(model)) window->addToolBar(Qt::TopToolBarArea, bar_);
  }

 protected:
  // Buttons are only ever added, so actions are never deleted under a
  // running click handler.
  void Sync(ui::Prop) override {
    while (static_cast<int>(actions_.size()) < model_.ButtonCount()) {
      const int index = static_cast<int>(actions_.size()) + 1;
      QAction* action = bar_->addAction(QString());
      QObject::connect(action, &QAction::triggered, this, [this, index] {
        // A check button toggles itself in Qt; the model has the last word,
        // now and once the click has run.
        if (!Accepting()) return;
        ControlChanged(model_, ui::Prop::Buttons);
        Deliver([this, index] {
          QPointer<ToolbarView> self(this);
          model_.Press(index);
          if (self != nullptr && self->Attached()) self->ControlChanged(model_, ui::Prop::Buttons);
        });
      });
      actions_.push_back(action);
    }
    for (int i = 1; i <= model_.ButtonCount(); ++i) SyncButton(model_.Buttons(i), *actions_[static_cast<size_t>(i - 1)]);
  }
  void SyncGeometry() override {
    if (Host().DockWindowFor(model_) == nullptr) ControlView::SyncGeometry();
  }

 private:
  void SyncButton(const ui::ToolbarButton& button, QAction& action) {
    action.setObjectName(ToQt(button.Key()));
    action.setSeparator(button.Style() == ui::tbrSeparator);
    action.setText(ToQt(button.Caption()));
    action.setToolTip(ToQt(button.ToolTipText().empty() ? button.Caption() : button.ToolTipText()));
    const std::string& image = button.Image();
    if (image != action.property("vkxImage").toString().toStdString()) {
      action.setIcon(image.empty() ? QIcon() : QIcon(NamedPicturePixmap(image, kToolIconPx)));
      action.setProperty("vkxImage", ToQt(image));
    }
    const bool pressed = button.Value() == ui::tbrPressed;
    action.setCheckable(button.Style() == ui::tbrCheck || pressed);
    action.setChecked(pressed);
    action.setEnabled(button.Enabled());
    action.setVisible(button.Visible());
  }

  ui::Toolbar& model_;
  QToolBar* bar_;
  std::vector<QAction*> actions_;
};

class StatusBarView final : public ControlView {
 public:
  StatusBarView(ui::StatusBar& model, QStatusBar* bar, ControlHost& host)
      : ControlView(model, bar, host), model_(model), bar_(bar) {
    if (QMainWindow* window = host.DockWindowFor(model)) window->setStatusBar(bar_);
  }

 protected:
  void Sync(ui::Prop) override {
    while (static_cast<int>(panels_.size()) < model_.PanelCount()) {
      auto* label = new QLabel(bar_);
      label->setObjectName(QStringLiteral("panel%1").arg(panels_.size() + 1));
      label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      label->setTextFormat(Qt::PlainText);
      label->setIndent(3);
      const int width = model_.Panels(static_cast<int>(panels_.size()) + 1).Width();
      bar_->addWidget(label, width > 0 ? 0 : 1);
      panels_.push_back(label);
    }
    for (int i = 1; i <= model_.PanelCount(); ++i) {
      ui::StatusPanel& panel = model_.Panels(i);
      QLabel* label = panels_[static_cast<size_t>(i - 1)];
      label->setText(ToQt(panel.Text()));
      if (panel.Width() > 0)
        label->setFixedWidth(TwipsToPx(panel.Width()));
      else
        label->setMinimumWidth(0);
    }
  }
  void SyncGeometry() override {
    if (Host().DockWindowFor(model_) == nullptr) ControlView::SyncGeometry();
  }

 private:
  ui::StatusBar& model_;
  QStatusBar* bar_;
  std::vector<QLabel*> panels_;
};

}  // namespace

ControlView* MakeToolbarView(ui::Toolbar& model, QWidget* parent, ControlHost& host) {
  return Started(new ToolbarView(model, new QToolBar(parent), host));
}

ControlView* MakeStatusBarView(ui::StatusBar& model, QWidget* parent, ControlHost& host) {
  return Started(new StatusBarView(model, new QStatusBar(parent), host));
}

}  // namespace qtui
