// Command buttons, option buttons and check boxes. Option buttons and check
// boxes never change their own state: a click goes to the model, and the
// model's Value (with its exclusion of the other option buttons of the
// container) comes back to the widgets.
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "qt/control_views.h"
#include "qt/named_pictures.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

// A button whose check state follows the model only, and which takes a
// click anywhere on it (the original's buttons do, not only on the text).
template <class Base>
class ModelCheckedButton : public Base {
 public:
  using Base::Base;

 protected:
  void nextCheckState() override {}
  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

class CommandButtonView final : public ControlView {
 public:
  CommandButtonView(ui::CommandButton& model, QPushButton* button, ControlHost& host)
      : ControlView(model, button, host), model_(model), button_(button) {
    button_->setAutoDefault(true);  // Enter presses the button that has the focus
    QObject::connect(button_, &QPushButton::clicked, this, [this] { Deliver([this] { model_.Press(); }); });
  }

 protected:
  void Sync(ui::Prop) override {
    button_->setText(ToQt(model_.Caption()));
    button_->setDefault(model_.Default());
    if (model_.Picture().IsEmpty()) {
      button_->setIcon(QIcon());
    } else {
      const QPixmap pixmap = PicturePixmap(model_.Picture());
      button_->setIcon(QIcon(pixmap));
      button_->setIconSize(pixmap.size());
    }
  }
  void SyncColors() override { ApplyPalette(QPalette::Button, false); }

 private:
  ui::CommandButton& model_;
  QPushButton* button_;
};

class OptionButtonView final : public ControlView {
 public:
  OptionButtonView(ui::OptionButton& model, QRadioButton* button, ControlHost& host)
      : ControlView(model, button, host), model_(model), button_(button) {
    button_->setAutoExclusive(false);
    QObject::connect(button_, &QRadioButton::clicked, this, [this] { Deliver([this] { model_.Press(); }); });
  }

 protected:
  void Sync(ui::Prop) override {
    button_->setText(ToQt(model_.Caption()));
    button_->setChecked(model_.Value());
  }
  void SyncColors() override { ApplyPalette(QPalette::Window, true); }

 private:
  ui::OptionButton& model_;
  QRadioButton* button_;
};

// A standard check box, or a graphical one drawn as a button that stays
// down while checked.
class CheckBoxView final : public ControlView {
 public:
  CheckBoxView(ui::CheckBox& model, QAbstractButton* box, ControlHost& host)
      : ControlView(model, box, host), model_(model), box_(box) {
    box_->setCheckable(true);
    // A standard box fills its back colour behind the box and the caption.
    if (qobject_cast<QCheckBox*>(box_) != nullptr) box_->setBackgroundRole(QPalette::Window);
    QObject::connect(box_, &QAbstractButton::clicked, this, [this] { Deliver([this] { model_.Press(); }); });
  }

 protected:
  void Sync(ui::Prop) override {
    box_->setText(ToQt(model_.Caption()));
    const int value = model_.Value();
    auto* standard = qobject_cast<QCheckBox*>(box_);
    if (standard == nullptr) {
      box_->setChecked(value == ui::vbChecked);
      return;
    }
    standard->setTristate(value == ui::vbGrayed);
    standard->setCheckState(value == ui::vbChecked  ? Qt::Checked
                            : value == ui::vbGrayed ? Qt::PartiallyChecked
                                                    : Qt::Unchecked);
  }
  void SyncColors() override {
    ApplyPalette(model_.Style() == ui::vbGraphical ? QPalette::Button : QPalette::Window, true);
  }

 private:
  ui::CheckBox& model_;
  QAbstractButton* box_;
};

}  // namespace

ControlView* MakeCommandButtonView(ui::CommandButton& model, QWidget* parent, ControlHost& host) {
  return Started(new CommandButtonView(model, new QPushButton(parent), host));
}

ControlView* MakeOptionButtonView(ui::OptionButton& model, QWidget* parent, ControlHost& host) {
  return Started(new OptionButtonView(model, new ModelCheckedButton<QRadioButton>(parent), host));
}

ControlView* MakeCheckBoxView(ui::CheckBox& model, QWidget* parent, ControlHost& host) {
  QAbstractButton* box = model.Style() == ui::vbGraphical
                             ? static_cast<QAbstractButton*>(new ModelCheckedButton<QPushButton>(parent))
                             : new ModelCheckedButton<QCheckBox>(parent);
  return Started(new CheckBoxView(model, box, host));
}

}  // namespace qtui
