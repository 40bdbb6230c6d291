#include "qt/drawing_canvas.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

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

// The operations of a list, found by where they reach.
class OpIndex {
 public:
  OpIndex(const ui::DisplayList& list, const QRect& bounds, const QPalette& palette)
      : bounds_(bounds), palette_(palette) {
    columns_ = std::max(1, (bounds.width() + kCell - 1) / kCell);
    rows_ = std::max(1, (bounds.height() + kCell - 1) / kCell);
    cells_.resize(static_cast<std::size_t>(columns_ * rows_));
    const int wide = std::max(4, columns_ * rows_ / 8);
    list.ForEach([&](const ui::DrawOp& op) {
      const int index = static_cast<int>(ops_.size());
      const QRect reach = ReachOf(op);
      ops_.push_back(Entry{&op, reach, std::nullopt});
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

  // The operations that reach into the box, in drawing order.
  const std::vector<int>& Reaching(const QRect& box) {
    found_.clear();
    const QRect cells = CellsOf(box);
    for (int row = cells.top(); row <= cells.bottom(); ++row)
      for (int column = cells.left(); column <= cells.right(); ++column)
        for (int index : cells_[static_cast<std::size_t>(row * columns_ + column)])
          if (ops_[static_cast<std::size_t>(index)].reach.intersects(box)) found_.push_back(index);
    for (int index : wide_)
      if (ops_[static_cast<std::size_t>(index)].reach.intersects(box)) found_.push_back(index);
    std::sort(found_.begin(), found_.end());
    found_.erase(std::unique(found_.begin(), found_.end()), found_.end());
    return found_;
  }

  const ui::DrawOp& Op(int index) const { return *ops_[static_cast<std::size_t>(index)].op; }

  bool Hides(int index, const PixelShape& shape, const QRect& shape_bounds) {
    Entry& entry = ops_[static_cast<std::size_t>(index)];
    if (!entry.reach.contains(shape_bounds)) return false;
    if (!entry.opaque) entry.opaque = OpaqueShapeOf(*entry.op, palette_);
    return !entry.opaque->rows.empty() && entry.opaque->Covers(shape);
  }

 private:
  struct Entry {
    const ui::DrawOp* op;
    QRect reach;
    std::optional<PixelShape> opaque;  // worked out when first asked
  };
  QRect CellsOf(const QRect& box) const {
    const QRect inside = box & bounds_;
    if (inside.isEmpty()) return QRect();
    return QRect(QPoint(inside.left() / kCell, inside.top() / kCell),
                 QPoint(inside.right() / kCell, inside.bottom() / kCell));
  }

  QRect bounds_;
  const QPalette& palette_;
  int columns_ = 1, rows_ = 1;
  std::vector<Entry> ops_;
  std::vector<std::vector<int>> cells_;
  std::vector<int> wide_;  // operations over much of the surface (the map)
  std::vector<int> found_;
};

}  // namespace

DrawingCanvas::DrawingCanvas(QWidget& widget, Background background)
    : widget_(widget), background_(std::move(background)) {}

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

// Each changed shape is painted alone, clipped to itself, from the last
// operation that paints over all of it (everything before that is hidden
// there), or from the background.
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
  OpIndex index(list, bounds, widget_.palette());
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  OpPainter paint(painter, widget_.palette());
  for (const PixelShape& shape : changed_) {
    const QRect box = shape.Bounds() & bounds;
    if (box.isEmpty()) continue;
    const std::vector<int>& reaching = index.Reaching(box);
    std::size_t first = reaching.size();
    while (first > 0 && !index.Hides(reaching[first - 1], shape, box)) --first;
    painter.setClipRegion(shape.Region());
    if (first == 0)
      background_(painter);
    else
      --first;  // the operation that hides the rest
    for (std::size_t i = first; i < reaching.size(); ++i) paint.Paint(index.Op(reaching[i]));
    repainted_.operations += static_cast<long long>(reaching.size() - first);
    for (const auto& [left, right] : shape.rows) repainted_.pixels += std::max(right - left, 0);
  }
}

}  // namespace qtui
