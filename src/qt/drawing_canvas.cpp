#include "qt/drawing_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <tuple>
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
// The operations are found by cells of this side.
constexpr int kCell = 32;


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

}  // namespace

// The operations of a list, found by where they reach. Built again for each
// repaint, in the storage of the last one.
class OpIndex {
 public:
  void Build(const ui::DisplayList& list, const QRect& bounds, const QPalette* palette) {
    bounds_ = bounds;
    palette_ = palette;
    columns_ = std::max(1, (bounds.width() + kCell - 1) / kCell);
    rows_ = std::max(1, (bounds.height() + kCell - 1) / kCell);
    ops_.clear();
    wide_.clear();
    for (auto& cell : cells_) cell.clear();
    cells_.resize(static_cast<std::size_t>(columns_ * rows_));
    const int wide = std::max(4, columns_ * rows_ / 8);
    list.ForEach([&](const ui::DrawOp& op) {
      const int index = static_cast<int>(ops_.size());
      const QRect reach = ReachOf(op);
      ops_.push_back(Entry{&op, reach, std::nullopt, std::nullopt});
      const QRect cells = CellsOf(reach);
      if (cells.isEmpty()) return;
      if (cells.width() * cells.height() > wide) {
        wide_.push_back(index);
        return;
      }
      for (int row = cells.top(); row <= cells.bottom(); ++row)
        for (int column = cells.left(); column <= cells.right(); ++column)
          cells_[static_cast<std::size_t>(row * columns_ + column)].push_back(index);
    });
  }

  // The operations whose area meets the box, in drawing order.
  const std::vector<int>& Reaching(const QRect& box) {
    found_.clear();
    const auto add = [&](int index) {
      if (ops_[static_cast<std::size_t>(index)].reach.intersects(box)) found_.push_back(index);
    };
    const QRect cells = CellsOf(box);
    for (int row = cells.top(); row <= cells.bottom(); ++row)
      for (int column = cells.left(); column <= cells.right(); ++column)
        for (int index : cells_[static_cast<std::size_t>(row * columns_ + column)]) add(index);
    for (int index : wide_) add(index);
    std::sort(found_.begin(), found_.end());
    found_.erase(std::unique(found_.begin(), found_.end()), found_.end());
    return found_;
  }

  // The operation may paint a pixel of the shape: its area meets it, and for
  // a text, where its glyphs fall does.
  bool Meets(int index, const PixelShape& shape) {
    Entry& entry = ops_[static_cast<std::size_t>(index)];
    if (!shape.Meets(entry.reach)) return false;
    const auto* text = std::get_if<ui::DrawText>(entry.op);
    if (text == nullptr) return true;
    if (!entry.ink) entry.ink = InkOf(*text);
    return shape.Meets(*entry.ink);
  }

  const ui::DrawOp& Op(int index) const { return *ops_[static_cast<std::size_t>(index)].op; }

  bool Hides(int index, const PixelShape& shape, const QRect& shape_bounds) {
    Entry& entry = ops_[static_cast<std::size_t>(index)];
    if (!entry.reach.contains(shape_bounds)) return false;
    if (!entry.opaque) entry.opaque = OpaqueShapeOf(*entry.op, *palette_);
    return !entry.opaque->rows.empty() && entry.opaque->Covers(shape);
  }

 private:
  struct Entry {
    const ui::DrawOp* op;
    QRect reach;
    std::optional<PixelShape> opaque;  // worked out when first asked
    std::optional<QRect> ink;           // a text's
  };
  QRect CellsOf(const QRect& box) const {
    const QRect inside = box & bounds_;
    if (inside.isEmpty()) return QRect();
    return QRect(QPoint(inside.left() / kCell, inside.top() / kCell),
                 QPoint(inside.right() / kCell, inside.bottom() / kCell));
  }

  QRect bounds_;
  const QPalette* palette_ = nullptr;
  int columns_ = 1, rows_ = 1;
  std::vector<Entry> ops_;
  std::vector<std::vector<int>> cells_;
  std::vector<int> wide_;  // operations over much of the surface (the map)
  std::vector<int> found_;
};

DrawingCanvas::DrawingCanvas(QWidget& widget, Background background)
    : widget_(widget), background_(std::move(background)), index_(std::make_unique<OpIndex>()) {}

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
// moved, a text can round to another pixel.) On another screen the box is
// painted from the background up.
void DrawingCanvas::RenderChanges(const ui::DisplayList& list) {
  // Icons drawn on top of each other change the same pixels: once is enough.
  std::sort(changed_.begin(), changed_.end(), [](const PixelShape& a, const PixelShape& b) {
    return std::tie(a.top, a.rows) < std::tie(b.top, b.rows);
  });
  changed_.erase(std::unique(changed_.begin(), changed_.end(),
                             [](const PixelShape& a, const PixelShape& b) {
                               return a.top == b.top && a.rows == b.rows;
                             }),
                 changed_.end());
  const QRect bounds = widget_.rect();
  const bool whole_pixels = image_.devicePixelRatio() == 1;
  if (whole_pixels && scratch_.size() != image_.size()) {
    scratch_ = QImage(image_.size(), image_.format());
    scratch_.setDotsPerMeterX(image_.dotsPerMeterX());
    scratch_.setDotsPerMeterY(image_.dotsPerMeterY());
  }
  OpIndex& index = *index_;
  index.Build(list, bounds, &widget_.palette());
  QPainter painter(whole_pixels ? &scratch_ : &image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  OpPainter paint(painter, widget_.palette());
  for (const PixelShape& shape : changed_) {
    const QRect box = shape.Bounds() & bounds;
    if (box.isEmpty()) continue;
    const std::vector<int>& reaching = index.Reaching(box);
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
    if (whole_pixels) CopyShape(shape, box);
    for (const auto& [left, right] : shape.rows) repainted_.pixels += std::max(right - left, 0);
  }
}

// The shape's pixels, painted in the scratch image, into the picture.
void DrawingCanvas::CopyShape(const PixelShape& shape, const QRect& box) {
  constexpr int kBytes = 4;  // a pixel of the 32-bit format both images have
  for (int y = box.top(); y <= box.bottom(); ++y) {
    const auto& [run_left, run_right] = shape.rows[static_cast<std::size_t>(y - shape.top)];
    const int left = std::max(run_left, box.left());
    const int right = std::min(run_right, box.right() + 1);
    if (left >= right) continue;
    std::memcpy(image_.scanLine(y) + left * kBytes, scratch_.constScanLine(y) + left * kBytes,
                static_cast<std::size_t>(right - left) * kBytes);
  }
}

}  // namespace qtui
