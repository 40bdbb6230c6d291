#include "qt/drawing_canvas.h"

#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <variant>

namespace qtui {

namespace {

// More changed areas than this, gathered while the widget did not paint
// (a hidden window), are repainted whole.
constexpr std::size_t kMostChanged = 8192;
// The widget is told of changes in tiles of this side, so that its
// repaint region stays a few rectangles however many areas changed.
constexpr int kTile = 32;

// The tiles marked, as a region: a run of tiles of a row is one rectangle.
QRegion TileRegion(const std::vector<bool>& tiles, int columns, const QRect& bounds) {
  std::vector<QRect> bands;
  const int rows = columns > 0 ? static_cast<int>(tiles.size()) / columns : 0;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns;) {
      if (!tiles[static_cast<std::size_t>(row * columns + column)]) {
        ++column;
        continue;
      }
      const int first = column;
      while (column < columns && tiles[static_cast<std::size_t>(row * columns + column)]) ++column;
      bands.push_back(QRect(first * kTile, row * kTile, (column - first) * kTile, kTile) & bounds);
    }
  }
  QRegion region;
  if (!bands.empty()) region.setRects(bands.data(), static_cast<int>(bands.size()));
  return region;
}

// Calls f(y, left, right) for each row of the shape within the box, with
// its pixels [left, right).
template <class F>
void EachSpan(const PixelShape& shape, const QRect& box, F&& f) {
  for (int y = box.top(); y <= box.bottom(); ++y) {
    const auto& [run_left, run_right] = shape.rows[static_cast<std::size_t>(y - shape.top)];
    const int left = std::max(run_left, box.left());
    const int right = std::min(run_right, box.right() + 1);
    if (left < right) f(y, left, right);
  }
}

}  // namespace

DrawingCanvas::DrawingCanvas(QWidget& widget, Background background)
    : widget_(widget), background_(std::move(background)) {}

DrawingCanvas::~DrawingCanvas() = default;

void DrawingCanvas::ChangedEverywhere() {
  stale_ = true;
  changed_.clear();
  widget_.update();
}

void DrawingCanvas::Changed(const ui::DisplayList::Changes& changes) {
  if (changes.everything) return ChangedEverywhere();
  if (stale_ || changes.areas.empty()) return;  // all of it is painted anew anyway
  const QRect bounds = widget_.rect();
  const int columns = (bounds.width() + kTile - 1) / kTile;
  const int rows = (bounds.height() + kTile - 1) / kTile;
  std::vector<bool> tiles(static_cast<std::size_t>(std::max(columns * rows, 0)), false);
  for (const ui::DrawArea& area : changes.areas) {
    PixelShape shape = ShapeOf(area);
    const QRect box = shape.Bounds() & bounds;
    if (box.isEmpty()) continue;
    for (int row = box.top() / kTile; row <= box.bottom() / kTile; ++row)
      for (int column = box.left() / kTile; column <= box.right() / kTile; ++column)
        tiles[static_cast<std::size_t>(row * columns + column)] = true;
    changed_.push_back(std::move(shape));
  }
  if (changed_.size() > kMostChanged) return ChangedEverywhere();
  widget_.update(TileRegion(tiles, columns, bounds));
}

bool DrawingCanvas::Stale() const {
  const qreal ratio = widget_.devicePixelRatioF();
  return stale_ || image_.size() != widget_.size() * ratio || image_.devicePixelRatio() != ratio ||
         palette_key_ != widget_.palette().cacheKey();
}

void DrawingCanvas::Paint(QPainter& painter, const ui::DisplayList& list) {
  // A surface with nothing drawn on it (most windows) keeps no image.
  if (list.Count() == 0) {
    image_ = QImage();
    scratch_ = QImage();
    stale_ = true;
    changed_.clear();
    background_(painter);
    return;
  }
  if (Stale())
    RenderAll(list);
  else if (!changed_.empty())
    RenderChanges(list);
  stale_ = false;
  changed_.clear();

  const QRegion region = painter.hasClipping() ? painter.clipRegion() : QRegion(widget_.rect());
  const qreal ratio = image_.devicePixelRatio();
  for (const QRect& r : region)
    painter.drawImage(QRectF(r), image_,
                      QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}

// The image is opaque, in the format a widget's backing store has, so that
// what is painted into it comes out as it would on the widget and copying
// it is a plain copy.
void DrawingCanvas::RenderAll(const ui::DisplayList& list) {
  const qreal ratio = widget_.devicePixelRatioF();
  image_ = QImage(widget_.size() * ratio, QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio);
  // Point sizes become the same pixel sizes as on the widget.
  image_.setDotsPerMeterX(static_cast<int>(std::lround(widget_.logicalDpiX() / 0.0254)));
  image_.setDotsPerMeterY(static_cast<int>(std::lround(widget_.logicalDpiY() / 0.0254)));
  palette_key_ = widget_.palette().cacheKey();
  memo_.Clear();
  ++repainted_.whole;
  QPainter painter(&image_);
  background_(painter);
  painter.setRenderHint(QPainter::Antialiasing, false);
  OpPainter paint(painter, widget_.palette());
  list.ForEach([&](const ui::DrawOp& op) { paint.Paint(op); });
}

// Each changed shape is painted alone from the last operation that paints
// over all of it (everything before that is hidden there), or from the
// background. On a screen of one device pixel to the pixel the box around the
// shape is painted in a second image and the shape's pixels are copied from
// it: clipping to a disc costs more than the dot in it. (At the same place:
// moved, a text can round to another pixel.) There, a shape that the same
// operations reach as at an earlier repaint gets the pixels it got then. On
// another screen the box is painted from the background up.
void DrawingCanvas::RenderChanges(const ui::DisplayList& list) {
  // Icons drawn on top of each other change the same pixels: once is enough.
  std::sort(changed_.begin(), changed_.end());
  changed_.erase(std::unique(changed_.begin(), changed_.end()), changed_.end());
  const QRect bounds = widget_.rect();
  const bool whole_pixels = image_.devicePixelRatio() == 1;
  if (whole_pixels && scratch_.size() != image_.size()) {
    scratch_ = QImage(image_.size(), image_.format());
    scratch_.setDotsPerMeterX(image_.dotsPerMeterX());
    scratch_.setDotsPerMeterY(image_.dotsPerMeterY());
  }
  OpIndex& index = index_;
  index.Update(list, bounds, widget_.palette());
  QPainter painter(whole_pixels ? &scratch_ : &image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  OpPainter paint(painter, widget_.palette());
  for (const PixelShape& shape : changed_) {
    const QRect box = shape.Bounds() & bounds;
    if (box.isEmpty()) continue;
    long long pixels = 0;
    for (const auto& [left, right] : shape.rows) pixels += std::max(right - left, 0);
    repainted_.pixels += pixels;
    const std::vector<OpIndex::Ref>& reaching = index.Reaching(box);
    if (whole_pixels) {
      KeyOf(reaching);
      if (const std::vector<QRgb>* kept = memo_.Find(shape, key_)) {
        const qsizetype line = image_.bytesPerLine();
        uchar* to = image_.bits();
        const QRgb* from = kept->data();
        EachSpan(shape, box, [&](int y, int left, int right) {
          std::memcpy(to + y * line + left * static_cast<qsizetype>(sizeof(QRgb)), from,
                      static_cast<std::size_t>(right - left) * sizeof(QRgb));
          from += right - left;
        });
        repainted_.remembered += pixels;
        continue;
      }
    }
    std::size_t first = 0;
    if (whole_pixels) {
      first = reaching.size();
      while (first > 0 && !index.Hides(reaching[first - 1], shape, box)) --first;
    }
    painter.setClipRect(box);
    if (first == 0)
      background_(painter);
    else
      --first;  // the operation that hides the rest
    for (std::size_t i = first; i < reaching.size(); ++i) {
      if (whole_pixels && !index.Meets(reaching[i], shape)) continue;
      paint.Paint(index.Op(reaching[i]));
      ++repainted_.operations;
    }
    if (!whole_pixels) continue;
    CopyShape(shape, box);
    if (std::vector<QRgb>* keep = memo_.Place(shape, key_))
      EachSpan(shape, box, [&](int y, int left, int right) {
        const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        keep->insert(keep->end(), row + left, row + right);
      });
  }
}

// What reaches a shape: each operation by the revision it was drawn at, a
// circle by what it draws.
void DrawingCanvas::KeyOf(const std::vector<OpIndex::Ref>& reaching) {
  key_.clear();
  for (const OpIndex::Ref ref : reaching) {
    if (const auto* circle = std::get_if<ui::DrawCircle>(&index_.Op(ref)))
      key_.push_back({0, *circle});
    else
      key_.push_back({index_.Drawn(ref), {}});
  }
}

// The shape's pixels, painted in the scratch image, into the picture.
void DrawingCanvas::CopyShape(const PixelShape& shape, const QRect& box) {
  const qsizetype line = image_.bytesPerLine();
  uchar* to = image_.bits();
  const uchar* from = scratch_.constBits();
  EachSpan(shape, box, [&](int y, int left, int right) {
    const qsizetype offset = y * line + left * static_cast<qsizetype>(sizeof(QRgb));
    std::memcpy(to + offset, from + offset, static_cast<std::size_t>(right - left) * sizeof(QRgb));
  });
}

}  // namespace qtui
