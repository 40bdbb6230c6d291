#include "qt/display_list_painter.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPixmapCache>
#include <QRegion>
#include <QStaticText>
#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <variant>

#include "qt/named_pictures.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

double Px(double twips) { return twips / kTwipsPerPixel; }

QRect Anywhere() { return QRect(QPoint(INT_MIN / 4, INT_MIN / 4), QPoint(INT_MAX / 4, INT_MAX / 4)); }

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

const QPixmap& CircleSprite(double radius, const QColor& edge, const QColor& fill) {
  constexpr std::size_t kKept = 256;
  static std::map<std::tuple<double, QRgb, QRgb>, QPixmap> sprites;
  const auto key = std::make_tuple(radius, edge.rgba(), fill.rgba());
  auto it = sprites.find(key);
  if (it != sprites.end()) return it->second;
  if (sprites.size() >= kKept) sprites.clear();
  const int side = static_cast<int>(std::ceil(2 * radius)) + 3;
  QPixmap sprite(side, side);
  sprite.fill(Qt::transparent);
  QPainter painter(&sprite);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(edge, 1));
  painter.setBrush(fill);
  painter.drawEllipse(QPointF(side / 2.0, side / 2.0), radius, radius);
  painter.end();
  return sprites.emplace(key, std::move(sprite)).first->second;
}

bool IsSprite(const ui::DrawCircle& circle) { return circle.filled && Px(circle.radius) <= kLargestSprite; }

// Where a sprite of that side is copied to put its middle at the circle's
// centre.
QPoint SpriteCorner(double x, double y, int side) {
  return QPoint(static_cast<int>(std::lround(Px(x) - side / 2.0)),
                static_cast<int>(std::lround(Px(y) - side / 2.0)));
}

// Which pixels of a sprite of that radius its circle touches, and which it
// covers whole, whatever its colours (as long as they are opaque).
struct SpriteMask {
  int side = 0;
  PixelShape drawn, opaque;
};

const SpriteMask& MaskOf(double radius) {
  static std::map<double, SpriteMask> masks;
  auto [it, added] = masks.try_emplace(radius);
  if (!added) return it->second;
  const QImage image = CircleSprite(radius, Qt::black, Qt::black)
                           .toImage()
                           .convertToFormat(QImage::Format_ARGB32);
  SpriteMask& mask = it->second;
  mask.side = image.width();
  for (int y = 0; y < image.height(); ++y) {
    int first = image.width(), last = -1;
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) {
        first = std::min(first, x);
        last = x;
      }
    mask.drawn.rows.emplace_back(first, last + 1);
    // A disc's whole pixels in a row are one run through its middle.
    int left = image.width() / 2, right = left;
    if (qAlpha(image.pixel(left, y)) == 255) {
      while (left > 0 && qAlpha(image.pixel(left - 1, y)) == 255) --left;
      while (right < image.width() && qAlpha(image.pixel(right, y)) == 255) ++right;
    }
    mask.opaque.rows.emplace_back(left, right);
  }
  return mask;
}

PixelShape Placed(const PixelShape& shape, QPoint at) {
  PixelShape placed;
  placed.top = shape.top + at.y();
  placed.rows.reserve(shape.rows.size());
  for (const auto& [left, right] : shape.rows) placed.rows.emplace_back(left + at.x(), right + at.x());
  return placed;
}

// A picture as it is copied onto the surface: the pixmap and where its
// top-left corner goes, or (for a part drawn into a box of another size) the
// box it is stretched into.
struct PlacedPicture {
  QPixmap pixmap;
  QRectF target, source;
  bool copied = false;  // pixmap is copied as it is to target's top-left corner
};

PlacedPicture PlacePicture(const ui::DrawPicture& op) {
  // A named picture is drawn at the target size, unless a part of it in its
  // own pixels is asked for.
  const bool part = op.src_width > 0 && op.src_height > 0;
  const int size_px = !part && op.width > 0 && op.height > 0
                          ? std::max({TwipsToPx(op.width), TwipsToPx(op.height), 1})
                          : 0;
  PlacedPicture placed;
  const QPixmap pixmap = PicturePixmap(*op.picture, size_px);
  if (pixmap.isNull()) return placed;
  QRectF target(Px(op.x), Px(op.y), Px(op.width), Px(op.height));
  if (op.width <= 0 || op.height <= 0) target.setSize(pixmap.size());
  QRectF source(0, 0, pixmap.width(), pixmap.height());
  if (part) source = QRectF(op.src_x, op.src_y, op.src_width, op.src_height);
  // A picture stretched to its place is scaled once and kept: repaints of
  // small parts of it (the map under a blinking icon) copy, not scale.
  const QRect place = target.toAlignedRect();
  if (place.size() != source.size().toSize() && !place.isEmpty()) {
    const QString key = QStringLiteral("vkx:scaled:%1:%2,%3,%4,%5:%6x%7")
                            .arg(pixmap.cacheKey())
                            .arg(source.x()).arg(source.y()).arg(source.width()).arg(source.height())
                            .arg(place.width()).arg(place.height());
    if (!QPixmapCache::find(key, &placed.pixmap)) {
      placed.pixmap = pixmap.copy(source.toAlignedRect()).scaled(place.size());
      QPixmapCache::insert(key, placed.pixmap);
    }
    placed.target = QRectF(place);
    placed.copied = true;
    return placed;
  }
  placed.pixmap = pixmap;
  placed.target = target;
  placed.source = source;
  return placed;
}

// Texts are laid out once (shaping and font look-ups cost far more than
// drawing the glyphs) and kept by font and text.
class TextCache {
 public:
  struct Entry {
    const QFont* font;
    QStaticText text;
    QRectF ink;  // from the top-left corner of the line
  };
  // Texts of another application font are laid out again.
  void Check() {
    const QFont app = QApplication::font();
    if (app == app_font_) return;
    last_ = nullptr;
    fonts_.clear();
    app_font_ = app;
  }
  const Entry& Get(const ui::DrawText& op) {
    // A view asks twice in a row for the same text (where it falls, then to
    // paint it).
    if (last_ != nullptr && op.font_size == last_size_ && op.bold == last_bold_ &&
        op.text == last_->first)
      return last_->second;
    Font& font = FontOf(op.font_size, op.bold);
    last_size_ = op.font_size;
    last_bold_ = op.bold;
    auto it = font.texts.find(std::string_view(op.text));
    if (it != font.texts.end()) {
      last_ = &*it;
      return it->second;
    }
    last_ = nullptr;
    if (font.texts.size() >= kKept) font.texts.clear();
    QStaticText text(ToQt(op.text));
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    text.prepare(QTransform(), font.font);
    const QFontMetricsF metrics(font.font);
    const QRectF ink = metrics.boundingRect(text.text()).translated(0, metrics.ascent());
    last_ = &*font.texts.emplace(op.text, Entry{&font.font, std::move(text), ink}).first;
    return last_->second;
  }

 private:
  static constexpr std::size_t kKept = 1 << 16;
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  struct Font {
    QFont font;
    std::unordered_map<std::string, Entry, Hash, std::equal_to<>> texts;
  };
  Font& FontOf(double size, bool bold) {
    auto [it, added] = fonts_.try_emplace({size, bold});
    if (added) {
      it->second.font = app_font_;
      it->second.font.setPointSizeF(size);
      it->second.font.setBold(bold);
    }
    return it->second;
  }
  QFont app_font_;
  std::map<std::pair<double, bool>, Font> fonts_;  // node-based: entries keep pointers
  const std::pair<const std::string, Entry>* last_ = nullptr;
  double last_size_ = 0;
  bool last_bold_ = false;
};

TextCache& Texts() {
  static TextCache cache;
  return cache;
}

}  // namespace

struct OpPainter::Visit {
  OpPainter& self;
  QPainter& p;

  QColor Color(ui::Color c) const { return ToQColor(c, self.palette_); }

  void operator()(const ui::DrawBox& box) const {
    const QRectF r = CornerRect(box.x1, box.y1, box.x2, box.y2);
    if (box.filled) {
      p.fillRect(r, Color(box.color));
    } else {
      self.text_pen_.reset();
      p.setPen(QPen(Color(box.color), 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(r.adjusted(0, 0, -1, -1));
    }
  }
  void operator()(const ui::DrawLine& line) const {
    self.text_pen_.reset();
    p.setPen(QPen(Color(line.color), std::max(1, line.width)));
    p.drawLine(QPointF(Px(line.x1), Px(line.y1)), QPointF(Px(line.x2), Px(line.y2)));
  }
  void operator()(const ui::DrawCircle& circle) const {
    const double radius = Px(circle.radius);
    if (IsSprite(circle)) {
      const QPixmap& sprite = CircleSprite(radius, Color(circle.color), Color(circle.fill_color));
      p.drawPixmap(SpriteCorner(circle.x, circle.y, sprite.width()), sprite);
      return;
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    self.text_pen_.reset();
    p.setPen(QPen(Color(circle.color), 1));
    if (circle.filled)
      p.setBrush(Color(circle.fill_color));
    else
      p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(Px(circle.x), Px(circle.y)), radius, radius);
    p.setRenderHint(QPainter::Antialiasing, false);
  }
  // Drawn exactly as drawText would: the same glyphs at the same places.
  void operator()(const ui::DrawText& text) const {
    const TextCache::Entry& entry = Texts().Get(text);
    if (self.font_ != entry.font) {
      p.setFont(*entry.font);
      self.font_ = entry.font;
    }
    const QColor color = Color(text.color);
    if (self.text_pen_ != color.rgba()) {
      p.setPen(color);
      self.text_pen_ = color.rgba();
    }
    p.drawStaticText(QPointF(Px(text.x), Px(text.y)), entry.text);
  }
  void operator()(const ui::DrawPicture& op) const {
    const PlacedPicture placed = PlacePicture(op);
    if (placed.pixmap.isNull()) return;
    if (placed.copied)
      p.drawPixmap(placed.target.topLeft().toPoint(), placed.pixmap);
    else
      p.drawPixmap(placed.target, placed.pixmap, placed.source);
  }
};

OpPainter::OpPainter(QPainter& painter, const QPalette& palette)
    : painter_(painter), palette_(palette) {
  Texts().Check();
}

void OpPainter::Paint(const ui::DrawOp& op) { std::visit(Visit{*this, painter_}, op); }

void PaintDisplayList(QPainter& painter, const ui::DisplayList& list, const QPalette& palette) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  OpPainter paint(painter, palette);
  // Operations wholly outside the part being repainted are not drawn.
  const QRegion repainted = painter.hasClipping() ? painter.clipRegion() : QRegion();
  list.ForEach([&](const ui::DrawOp& op) {
    if (!repainted.isEmpty() && !repainted.intersects(ReachOf(op))) return;
    paint.Paint(op);
  });
  painter.restore();
}

// ---- shapes ------------------------------------------------------------------

PixelShape PixelShape::Box(const QRect& box) {
  PixelShape shape;
  shape.top = box.top();
  shape.rows.assign(static_cast<std::size_t>(std::max(box.height(), 0)),
                    {box.left(), box.left() + box.width()});
  return shape;
}

QRect PixelShape::Bounds() const {
  int left = INT_MAX, right = INT_MIN, first = -1, last = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].first >= rows[i].second) continue;
    left = std::min(left, rows[i].first);
    right = std::max(right, rows[i].second);
    if (first < 0) first = static_cast<int>(i);
    last = static_cast<int>(i);
  }
  if (first < 0) return QRect();
  return QRect(QPoint(left, top + first), QPoint(right - 1, top + last));
}

bool PixelShape::Covers(const PixelShape& other) const {
  for (std::size_t i = 0; i < other.rows.size(); ++i) {
    const auto& [left, right] = other.rows[i];
    if (left >= right) continue;
    const long row = static_cast<long>(other.top) + static_cast<long>(i) - top;
    if (row < 0 || row >= static_cast<long>(rows.size())) return false;
    const auto& mine = rows[static_cast<std::size_t>(row)];
    if (left < mine.first || right > mine.second) return false;
  }
  return true;
}

bool PixelShape::Meets(const QRect& box) const {
  const int first = std::max(box.top() - top, 0);
  const int last = std::min(box.bottom() - top, static_cast<int>(rows.size()) - 1);
  for (int i = first; i <= last; ++i) {
    const auto& [left, right] = rows[static_cast<std::size_t>(i)];
    if (left <= box.right() && right > box.left() && left < right) return true;
  }
  return false;
}

QRect InkOf(const ui::DrawText& text) {
  Texts().Check();
  const QRectF ink = Texts().Get(text).ink;
  if (ink.isEmpty()) return QRect();
  // A glyph placed between pixels may smooth into the next one.
  return ink.translated(Px(text.x), Px(text.y)).toAlignedRect().adjusted(-1, -1, 1, 1);
}

QRect ReachOf(const ui::DrawOp& op) {
  const ui::DrawArea area = ui::AreaOf(op);
  if (area.everywhere) return Anywhere();
  return QRectF(QPointF(Px(area.left), Px(area.top)), QPointF(Px(area.right), Px(area.bottom)))
      .toAlignedRect();
}

PixelShape ShapeOf(const ui::DrawArea& area) {
  if (area.everywhere) return PixelShape::Box(Anywhere());
  if (area.disc_radius > 0 && Px(area.disc_radius) <= kLargestSprite) {
    const SpriteMask& mask = MaskOf(Px(area.disc_radius));
    return Placed(mask.drawn, SpriteCorner(area.disc_x, area.disc_y, mask.side));
  }
  return PixelShape::Box(
      QRectF(QPointF(Px(area.left), Px(area.top)), QPointF(Px(area.right), Px(area.bottom)))
          .toAlignedRect());
}

PixelShape OpaqueShapeOf(const ui::DrawOp& op, const QPalette& palette) {
  const auto opaque = [&](ui::Color c) { return ToQColor(c, palette).alpha() == 255; };
  if (const auto* circle = std::get_if<ui::DrawCircle>(&op)) {
    if (!IsSprite(*circle) || !opaque(circle->color) || !opaque(circle->fill_color)) return {};
    const SpriteMask& mask = MaskOf(Px(circle->radius));
    return Placed(mask.opaque, SpriteCorner(circle->x, circle->y, mask.side));
  }
  // Boxes and stretched parts may round at their edges: the pixels one in
  // from them are sure.
  const auto inner = [](const QRectF& r) {
    return PixelShape::Box(r.toAlignedRect().adjusted(1, 1, -1, -1));
  };
  if (const auto* box = std::get_if<ui::DrawBox>(&op)) {
    if (!box->filled || !opaque(box->color)) return {};
    return inner(CornerRect(box->x1, box->y1, box->x2, box->y2));
  }
  if (const auto* picture = std::get_if<ui::DrawPicture>(&op)) {
    const PlacedPicture placed = PlacePicture(*picture);
    if (placed.pixmap.isNull() || placed.pixmap.hasAlphaChannel()) return {};
    if (placed.copied)
      return PixelShape::Box(QRect(placed.target.topLeft().toPoint(), placed.pixmap.size()));
    if (!QRectF(placed.pixmap.rect()).contains(placed.source)) return {};
    return inner(placed.target);
  }
  return {};
}

}  // namespace qtui
