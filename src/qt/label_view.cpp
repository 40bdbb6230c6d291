#include <QKeySequence>
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

// A label whose caption has an access key: the key moves the focus on.
class AccessKeyLabel : public Hooked<QLabel> {
 public:
  using Hooked<QLabel>::Hooked;
  // Qt would otherwise tell the half-destroyed label that its buddy, itself,
  // has gone.
  ~AccessKeyLabel() override { setBuddy(nullptr); }
  std::function<void()> on_access_key;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::Shortcut && on_access_key) {
      on_access_key();
      return true;
    }
    return Hooked<QLabel>::event(e);
  }
};

class LabelView final : public ControlView {
 public:
  LabelView(ui::Label& model, AccessKeyLabel* label, ControlHost& host)
      : ControlView(model, label, host), model_(model), label_(label) {
    label_->on_access_key = [this] {
      if (Accepting()) Host().FocusAfter(model_);
    };
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    label_->on_release = [this](QMouseEvent* e) {
      if (Accepting() && e->button() == Qt::LeftButton && !label_->EndsDoubleClick() &&
          label_->rect().contains(e->position().toPoint()))
        Deliver([this] { model_.Click(); });
    };
    label_->on_double_click = [this](QMouseEvent*) { Deliver([this] { model_.DblClick(); }); };
  }

 protected:
  void Sync(ui::Prop which) override {
    if (which == ui::Prop::Caption || which == ui::Prop::Other) SyncCaption();
    label_->setAlignment(HorizontalAlignment(model_.Alignment()) | Qt::AlignTop);
    label_->setFrameStyle(model_.BorderStyle() == 1 ? QFrame::Panel | QFrame::Sunken
                                                    : QFrame::NoFrame);
    label_->setMargin(model_.BorderStyle() == 1 ? 1 : 0);
    SyncColors();
  }
  void SyncColors() override { ApplyPalette(QPalette::Window, !model_.Transparent()); }
  bool IsLightweight() const override { return true; }

 private:
  // Qt takes a label's access key only while it has a buddy; the label is
  // its own, and passes the key on itself (the next control may change).
  void SyncCaption() {
    const QString caption = ToQt(model_.Caption());
    const bool access_key = !QKeySequence::mnemonic(caption).isEmpty();
    label_->setBuddy(nullptr);
    label_->setText(access_key ? caption : WithoutMnemonics(caption));
    if (access_key) label_->setBuddy(label_);
  }

  ui::Label& model_;
  AccessKeyLabel* label_;
};

}  // namespace

ControlView* MakeLabelView(ui::Label& model, QWidget* parent, ControlHost& host) {
  return Started(new LabelView(model, new AccessKeyLabel(parent), host));
}

}  // namespace qtui
