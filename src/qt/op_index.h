// The operations of a display list, found by where they reach on a surface.
// The index is kept from one repaint to the next: only the runs of the list
// that changed since are looked at again, and what was worked out for an
// operation (where its glyphs fall, what it hides) stays with it while its
// run does not change. A map on which some dots blink so costs what those
// runs cost, not what every operation on it costs.
#pragma once

#include <QPalette>
#include <QRect>
#include <compare>
#include <cstdint>
#include <optional>
#include <vector>

#include "qt/display_list_painter.h"
#include "ui/display_list.h"

namespace qtui {

class OpIndex {
 public:
  // An operation: its run and its place in the run. Ordered as drawn.
  struct Ref {
    int run = 0;
    int op = 0;
    friend auto operator<=>(const Ref&, const Ref&) = default;
  };

  // Brings the index up to the list as it stands, on a surface of these
  // bounds and palette (the list must outlive the index's use of it).
  void Update(const ui::DisplayList& list, const QRect& bounds, const QPalette& palette);
  // The operations whose reach meets the box, in drawing order.
  const std::vector<Ref>& Reaching(const QRect& box);
  const ui::DrawOp& Op(Ref ref) const;
  // The revision the operation was drawn at.
  std::uint64_t Drawn(Ref ref) const {
    return runs_[static_cast<std::size_t>(ref.run)].ops[static_cast<std::size_t>(ref.op)].drawn;
  }
  // The operation may paint a pixel of the shape: its reach meets it, and
  // for a text, where its glyphs fall does.
  bool Meets(Ref ref, const PixelShape& shape);
  // The operation paints every pixel of the shape opaquely.
  bool Hides(Ref ref, const PixelShape& shape, const QRect& shape_bounds);

  // How many runs were indexed again by the updates, for tests.
  long long RunsIndexed() const { return runs_indexed_; }

 private:
  struct OpEntry {
    std::uint64_t drawn = 0;  // the operation's revision
    QRect reach;
    bool wide = false;
    std::optional<QRect> ink;            // a text's, worked out when first asked
    std::optional<PixelShape> opaque;  // worked out when first asked
  };
  struct RunEntry {
    std::uint64_t revision = 0;
    std::vector<OpEntry> ops;
  };
  void Reset(const QRect& bounds, const QPalette& palette);
  void IndexRun(int run);
  void Place(Ref ref, const OpEntry& op, bool add);
  QRect CellsOf(const QRect& box) const;
  OpEntry& Entry(Ref ref) { return runs_[ref.run].ops[ref.op]; }

  const ui::DisplayList* list_ = nullptr;
  const QPalette* palette_ = nullptr;
  qint64 palette_key_ = 0;
  QRect bounds_;
  int columns_ = 1, rows_ = 1;
  int wide_cells_ = 4;  // an operation over more cells than this is wide
  // An operation where it reaches, as a cell holds it: a search reads the
  // cell alone.
  struct Placed {
    Ref ref;
    int left, top, right, bottom;  // inclusive
    friend bool operator==(const Placed& a, const Placed& b) { return a.ref == b.ref; }
  };
  std::vector<RunEntry> runs_;
  std::vector<std::vector<Placed>> cells_;
  std::vector<Placed> wide_;  // operations over much of the surface (the map)
  std::vector<Ref> found_;
  std::vector<OpEntry> old_;  // a run's entries while it is indexed again
  long long runs_indexed_ = 0;
};

}  // namespace qtui
