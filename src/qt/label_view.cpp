#include <QLabel>

#include "qt/control_views.h"
#include "qt/hooked_widget.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

Qt::Alignment HorizontalAlignment(int vb_alignment) {
  switch (vb_alignment) {
    case ui::vbRightJustify: return Qt::AlignRight;
    case ui::vbCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

class LabelView final : public ControlView {
 public:
  LabelView(ui::Label& model, Hooked<QLabel>* label, ControlHost& host)
      : ControlView(model, label, host), model_(model), label_(label) {
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    label_->on_release = [this](QMouseEvent* e) {
      if (Accepting() && e->button() == Qt::LeftButton &&
          label_->rect().contains(e->position().toPoint()))
        model_.Click();
    };
    label_->on_double_click = [this](QMouseEvent*) {
      if (Accepting()) model_.DblClick();
    };
  }

 protected:
  void Sync(ui::Prop which) override {
    if (which == ui::Prop::Caption || which == ui::Prop::Other)
      label_->setText(WithoutMnemonics(ToQt(model_.Caption())));
    label_->setAlignment(HorizontalAlignment(model_.Alignment()) | Qt::AlignTop);
    label_->setFrameStyle(model_.BorderStyle() == 1 ? QFrame::Panel | QFrame::Sunken
                                                    : QFrame::NoFrame);
    label_->setMargin(model_.BorderStyle() == 1 ? 1 : 0);
    SyncColors();
  }
  void SyncColors() override { ApplyPalette(QPalette::Window, !model_.Transparent()); }
  bool IsLightweight() const override { return true; }

 private:
  ui::Label& model_;
  Hooked<QLabel>* label_;
};

}  // namespace

ControlView* MakeLabelView(ui::Label& model, QWidget* parent, ControlHost& host) {
  return Started(new LabelView(model, new Hooked<QLabel>(parent), host));
}

}  // namespace qtui
