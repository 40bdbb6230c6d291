// Image controls (lamps and bitmaps) and picture boxes (a picture and a
// display list, with the mouse reported in twips).
#include <QFrame>
#include <QLabel>
#include <algorithm>

#include "qt/control_views.h"
#include "qt/display_list_painter.h"
#include "qt/hooked_widget.h"
#include "qt/named_pictures.h"
#include "qt/operator_input.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

class ImageView final : public ControlView {
 public:
  ImageView(ui::Image& model, Hooked<QLabel>* label, ControlHost& host)
      : ControlView(model, label, host), model_(model), label_(label) {
    label_->on_press = [this](QMouseEvent* e) {
      Deliver(MouseCall(model_.MouseDown, *e, e->button(), e->position()));
    };
    label_->on_release = [this](QMouseEvent* e) {
      if (e->button() == Qt::LeftButton && !label_->EndsDoubleClick() &&
          label_->rect().contains(e->position().toPoint()))
        Deliver([this] { model_.Click(); });
    };
    label_->on_double_click = [this](QMouseEvent*) { Deliver([this] { model_.DblClick(); }); };
  }

 protected:
  void Sync(ui::Prop) override { SyncPixmap(); }
  void SyncGeometry() override {
    ControlView::SyncGeometry();
    SyncPixmap();
  }
  bool IsLightweight() const override { return true; }

 private:
  // A named picture is drawn to fit the control; a bitmap keeps its size
  // unless the image stretches it.
  void SyncPixmap() {
    const ui::Picture& picture = model_.Picture();
    label_->setScaledContents(model_.Stretch());
    if (picture.IsEmpty()) {
      label_->clear();
      return;
    }
    const int fit = std::min(label_->width(), label_->height());
    const bool named = !picture.name.empty();
    label_->setAlignment(named ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
    label_->setPixmap(PicturePixmap(picture, named && fit > 0 ? fit : 0));
  }

  ui::Image& model_;
  Hooked<QLabel>* label_;
};

using PictureSurface = Hooked<Painted<QFrame>>;

class PictureBoxView final : public ControlView {
 public:
  PictureBoxView(ui::PictureBox& model, PictureSurface* surface, ControlHost& host)
      : ControlView(model, surface, host), model_(model), surface_(surface) {
    surface_->setMouseTracking(true);
    surface_->on_paint = [this](QPainter& painter) { Paint(painter); };
    surface_->on_press = [this](QMouseEvent* e) { Mouse(model_.MouseDown, e, e->button()); };
    surface_->on_move = [this](QMouseEvent* e) { Mouse(model_.MouseMove, e, e->buttons()); };
    surface_->on_release = [this](QMouseEvent* e) {
      if (!Mouse(model_.MouseUp, e, e->button())) return;
      if (e->button() == Qt::LeftButton && !surface_->EndsDoubleClick() &&
          surface_->rect().contains(e->position().toPoint()))
        Deliver([this] { model_.Click(); });
    };
    surface_->on_double_click = [this](QMouseEvent*) { Deliver([this] { model_.DblClick(); }); };
  }

  QWidget* ChildSurface() override { return surface_; }

 protected:
  void Sync(ui::Prop) override {
    surface_->setFrameStyle(model_.BorderStyle() == 1 ? QFrame::StyledPanel | QFrame::Sunken
                                                      : QFrame::NoFrame);
    surface_->update();
  }
  void SyncColors() override {
    ApplyPalette(QPalette::Window, false);
    surface_->update();
  }

 private:
  // Coordinates inside the border, in twips, as the original reports them.
  bool Mouse(const ui::Event<int, int, double, double>& handler, QMouseEvent* e,
             Qt::MouseButtons buttons) {
    if (!Accepting()) return false;
    const QPointF at = e->position() - surface_->contentsRect().topLeft();
    Deliver(MouseCall(handler, *e, buttons, at));
    return true;
  }

  void Paint(QPainter& painter) {
    if (!Attached()) return;
    const QRect inner = surface_->contentsRect();
    painter.fillRect(inner, ToQColor(model_.BackColor(), surface_->palette()));
    painter.setClipRect(inner, Qt::IntersectClip);  // within what is being repainted
    painter.translate(inner.topLeft());
    if (!model_.Picture().IsEmpty()) painter.drawPixmap(0, 0, PicturePixmap(model_.Picture()));
    PaintDisplayList(painter, model_.Drawing(), surface_->palette());
  }

  ui::PictureBox& model_;
  PictureSurface* surface_;
};

}  // namespace

ControlView* MakeImageView(ui::Image& model, QWidget* parent, ControlHost& host) {
  return Started(new ImageView(model, new Hooked<QLabel>(parent), host));
}

ControlView* MakePictureBoxView(ui::PictureBox& model, QWidget* parent, ControlHost& host) {
  return Started(new PictureBoxView(model, new PictureSurface(parent), host));
}

}  // namespace qtui
