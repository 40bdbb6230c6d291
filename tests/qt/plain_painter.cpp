#include "plain_painter.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>
#include <variant>

#include "qt/named_pictures.h"
#include "qt/qt_convert.h"

namespace qttest {

using qtui::kTwipsPerPixel;
using qtui::PicturePixmap;
using qtui::ToQColor;
using qtui::ToQt;
using qtui::TwipsToPx;

namespace {

double Px(double twips) { return twips / kTwipsPerPixel; }

// A box given by two corners, both inclusive, as the original draws them.
QRectF CornerRect(double x1, double y1, double x2, double y2) {
  const double left = Px(std::min(x1, x2));
  const double top = Px(std::min(y1, y2));
  return QRectF(left, top, Px(std::max(x1, x2)) - left + 1, Px(std::max(y1, y2)) - top + 1);
}

// Small filled circles (the map's icons, many of them, repainted every
// second) are drawn once, smoothed, and then copied: a smoothed circle costs
// far more to draw than to copy.
constexpr double kLargestSprite = 64;

QPixmap CircleSprite(double radius, const QColor& edge, const QColor& fill) {
  const QString key = QStringLiteral("plain:circle:%1:%2:%3").arg(radius).arg(edge.rgba()).arg(fill.rgba());
  QPixmap sprite;
  if (QPixmapCache::find(key, &sprite)) return sprite;
  const int side = static_cast<int>(std::ceil(2 * radius)) + 3;
  sprite = QPixmap(side, side);
  sprite.fill(Qt::transparent);
  QPainter painter(&sprite);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(edge, 1));
  painter.setBrush(fill);
  painter.drawEllipse(QPointF(side / 2.0, side / 2.0), radius, radius);
  painter.end();
  QPixmapCache::insert(key, sprite);
  return sprite;
}

struct OpPainter {
  QPainter& p;
  const QPalette& palette;

  QColor Color(ui::Color c) const { return ToQColor(c, palette); }

  void operator()(const ui::DrawBox& box) const {
    const QRectF r = CornerRect(box.x1, box.y1, box.x2, box.y2);
    if (box.filled) {
      p.fillRect(r, Color(box.color));
    } else {
      p.setPen(QPen(Color(box.color), 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(r.adjusted(0, 0, -1, -1));
    }
  }
  void operator()(const ui::DrawLine& line) const {
    p.setPen(QPen(Color(line.color), std::max(1, line.width)));
    p.drawLine(QPointF(Px(line.x1), Px(line.y1)), QPointF(Px(line.x2), Px(line.y2)));
  }
  void operator()(const ui::DrawCircle& circle) const {
    const double radius = Px(circle.radius);
    if (circle.filled && radius <= kLargestSprite) {
      const QPixmap sprite = CircleSprite(radius, Color(circle.color), Color(circle.fill_color));
      p.drawPixmap(QPoint(static_cast<int>(std::lround(Px(circle.x) - sprite.width() / 2.0)),
                          static_cast<int>(std::lround(Px(circle.y) - sprite.height() / 2.0))),
                   sprite);
      return;
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Color(circle.color), 1));
    if (circle.filled)
      p.setBrush(Color(circle.fill_color));
    else
      p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(Px(circle.x), Px(circle.y)), Px(circle.radius), Px(circle.radius));
    p.setRenderHint(QPainter::Antialiasing, false);
  }
  void operator()(const ui::DrawText& text) const {
    QFont font = QApplication::font();
    font.setPointSizeF(text.font_size);
    font.setBold(text.bold);
    p.setFont(font);
    p.setPen(Color(text.color));
    const QFontMetricsF metrics(font, p.device());
    p.drawText(QPointF(Px(text.x), Px(text.y) + metrics.ascent()), ToQt(text.text));
  }
  void operator()(const ui::DrawPicture& op) const {
    // A named picture is drawn at the target size, unless a part of it in
    // its own pixels is asked for.
    const bool part = op.src_width > 0 && op.src_height > 0;
    const int size_px = !part && op.width > 0 && op.height > 0
                            ? std::max({TwipsToPx(op.width), TwipsToPx(op.height), 1})
                            : 0;
    const QPixmap pixmap = PicturePixmap(*op.picture, size_px);
    if (pixmap.isNull()) return;
    QRectF target(Px(op.x), Px(op.y), Px(op.width), Px(op.height));
    if (op.width <= 0 || op.height <= 0) target.setSize(pixmap.size());
    QRectF source(0, 0, pixmap.width(), pixmap.height());
    if (part)
      source = QRectF(op.src_x, op.src_y, op.src_width, op.src_height);
    // A picture stretched to its place is scaled once and kept: repaints
    // of small parts of it (the map under a blinking icon) copy, not scale.
    const QRect place = target.toAlignedRect();
    if (place.size() != source.size().toSize() && !place.isEmpty()) {
      const QString key = QStringLiteral("plain:scaled:%1:%2,%3,%4,%5:%6x%7")
                              .arg(pixmap.cacheKey())
                              .arg(source.x()).arg(source.y()).arg(source.width()).arg(source.height())
                              .arg(place.width()).arg(place.height());
      QPixmap scaled;
      if (!QPixmapCache::find(key, &scaled)) {
        scaled = pixmap.copy(source.toAlignedRect()).scaled(place.size());
        QPixmapCache::insert(key, scaled);
      }
      p.drawPixmap(place.topLeft(), scaled);
      return;
    }
    p.drawPixmap(target, pixmap, source);
  }
};

}  // namespace

QImage PaintAfresh(const ui::DisplayList& list, QSize size, ui::Color back_color,
                   const QPalette& palette) {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.fillRect(image.rect(), ToQColor(back_color, palette));
  painter.setRenderHint(QPainter::Antialiasing, false);
  const OpPainter paint{painter, palette};
  list.ForEach([&](const ui::DrawOp& op) { std::visit(paint, op); });
  return image;
}

}  // namespace qttest
