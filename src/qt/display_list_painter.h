// Paints what a picture box or a form has drawn on itself (its display list,
// in twips) with a QPainter in pixels, and tells, for a view that repaints
// only what changed, where each operation reaches and where it hides what
// lies beneath it.
#pragma once

#include <QPainter>
#include <QPalette>
#include <QRect>
#include <compare>
#include <optional>
#include <utility>
#include <vector>

#include "ui/display_list.h"

namespace qtui {

void PaintDisplayList(QPainter& painter, const ui::DisplayList& list, const QPalette& palette);

// Paints operations one by one, keeping the pen's font between texts.
class OpPainter {
 public:
  OpPainter(QPainter& painter, const QPalette& palette);
  void Paint(const ui::DrawOp& op);

 private:
  struct Visit;
  QPainter& painter_;
  const QPalette& palette_;
  const QFont* font_ = nullptr;  // the font last set on the painter
  std::optional<QRgb> text_pen_;  // the pen last set for a text
};

// A set of pixels given row by row, one run [left, right) to a row: a disc
// or a box.
struct PixelShape {
  int top = 0;
  std::vector<std::pair<int, int>> rows;

  static PixelShape Box(const QRect& box);
  // Shapes are ordered and equal by their rows, so that a list of them can
  // be sorted and rid of repeats.
  friend auto operator<=>(const PixelShape&, const PixelShape&) = default;
  QRect Bounds() const;
  // Some pixel of the shape is in the box.
  bool Meets(const QRect& box) const;
  // Every pixel of `other` is one of these.
  bool Covers(const PixelShape& other) const;
};

// The pixels an operation may change; a rect far beyond any surface when it
// may reach anywhere.
QRect ReachOf(const ui::DrawOp& op);
// Where a text's glyphs may fall: within its area, but without the blanks
// and the line's spacing around them.
QRect InkOf(const ui::DrawText& text);
// The pixels a change of the drawing may have changed.
PixelShape ShapeOf(const ui::DrawArea& area);
// The pixels that the operation paints opaquely, so that nothing drawn before
// it shows there (none for most operations).
PixelShape OpaqueShapeOf(const ui::DrawOp& op, const QPalette& palette);

}  // namespace qtui
