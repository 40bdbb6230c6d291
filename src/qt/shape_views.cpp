// Shapes and lines: painted on the container, beneath the other controls,
// and transparent to the mouse, as the original draws them.
#include <QWidget>
#include <algorithm>

#include "qt/control_views.h"
#include "qt/hooked_widget.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

using PaintedWidget = Painted<QWidget>;

class ShapeView final : public ControlView {
 public:
  ShapeView(ui::Shape& model, PaintedWidget* widget, ControlHost& host)
      : ControlView(model, widget, host), model_(model), widget_(widget) {
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget_->on_paint = [this](QPainter& painter) { Paint(painter); };
  }

 protected:
  void Sync(ui::Prop) override { widget_->update(); }
  void SyncColors() override { widget_->update(); }
  bool IsLightweight() const override { return true; }

 private:
  void Paint(QPainter& painter) {
    if (!Attached()) return;
    const int kind = model_.ShapeKind();
    QRectF box = QRectF(widget_->rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (kind == ui::vbShapeSquare || kind == ui::vbShapeCircle || kind == 5) {
      const double side = std::min(box.width(), box.height());
      box = QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    }
    painter.setRenderHint(QPainter::Antialiasing, kind != ui::vbShapeRectangle &&
                                                      kind != ui::vbShapeSquare);
    painter.setPen(QPen(ToQColor(model_.BorderColor(), widget_->palette()), 1));
    if (model_.Filled())
      painter.setBrush(ToQColor(model_.FillColor(), widget_->palette()));
    else
      painter.setBrush(Qt::NoBrush);
    switch (kind) {
      case ui::vbShapeOval:
      case ui::vbShapeCircle: painter.drawEllipse(box); break;
      case ui::vbShapeRoundedRectangle:
      case 5: {  // rounded square
        const double radius = std::min(box.width(), box.height()) / 6;
        painter.drawRoundedRect(box, radius, radius);
        break;
      }
      default: painter.drawRect(box); break;
    }
  }

  ui::Shape& model_;
  PaintedWidget* widget_;
};

class LineView final : public ControlView {
 public:
  LineView(ui::LineControl& model, PaintedWidget* widget, ControlHost& host)
      : ControlView(model, widget, host), model_(model), widget_(widget) {
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget_->on_paint = [this](QPainter& painter) { Paint(painter); };
  }

 protected:
  void Sync(ui::Prop) override { widget_->update(); }
  // The widget covers the line's two end points, with a pixel to spare.
  void SyncGeometry() override {
    const QPoint a(TwipsToPx(model_.X1()), TwipsToPx(model_.Y1()));
    const QPoint b(TwipsToPx(model_.X2()), TwipsToPx(model_.Y2()));
    const QRect bounds = QRect(a, b).normalized().adjusted(-1, -1, 1, 1);
    widget_->setGeometry(bounds);
    widget_->update();
  }
  bool IsLightweight() const override { return true; }

 private:
  void Paint(QPainter& painter) {
    if (!Attached()) return;
    const QPoint origin = widget_->pos();
    const QPoint a = QPoint(TwipsToPx(model_.X1()), TwipsToPx(model_.Y1())) - origin;
    const QPoint b = QPoint(TwipsToPx(model_.X2()), TwipsToPx(model_.Y2())) - origin;
    painter.setPen(QPen(ToQColor(model_.BorderColor(), widget_->palette()), 1));
    painter.drawLine(a, b);
  }

  ui::LineControl& model_;
  PaintedWidget* widget_;
};

}  // namespace

ControlView* MakeShapeView(ui::Shape& model, QWidget* parent, ControlHost& host) {
  return Started(new ShapeView(model, new PaintedWidget(parent), host));
}

ControlView* MakeLineView(ui::LineControl& model, QWidget* parent, ControlHost& host) {
  return Started(new LineView(model, new PaintedWidget(parent), host));
}

}  // namespace qtui
