#include "qt/op_index.h"

#include <algorithm>
#include <limits>
#include <variant>

namespace qtui {

namespace {

// The operations are found by cells of this side.
constexpr int kCell = 32;
// A run never indexed.
constexpr std::uint64_t kNotIndexed = std::numeric_limits<std::uint64_t>::max();

}  // namespace

void OpIndex::Reset(const QRect& bounds, const QPalette& palette) {
  bounds_ = bounds;
  palette_key_ = palette.cacheKey();
  columns_ = std::max(1, (bounds.width() + kCell - 1) / kCell);
  rows_ = std::max(1, (bounds.height() + kCell - 1) / kCell);
  wide_cells_ = std::max(4, columns_ * rows_ / 8);
  runs_.clear();
  wide_.clear();
  for (auto& cell : cells_) cell.clear();
  cells_.resize(static_cast<std::size_t>(columns_ * rows_));
}

// Runs only come and go all together (the list is cleared), so fewer runs
// than indexed means a list drawn anew.
void OpIndex::Update(const ui::DisplayList& list, const QRect& bounds, const QPalette& palette) {
  if (&list != list_ || bounds != bounds_ || palette.cacheKey() != palette_key_ ||
      list.RunCount() < runs_.size())
    Reset(bounds, palette);
  list_ = &list;
  palette_ = &palette;
  if (runs_.size() < list.RunCount()) runs_.resize(list.RunCount(), RunEntry{kNotIndexed, {}});
  for (std::size_t run = 0; run < runs_.size(); ++run)
    if (runs_[run].revision != list.RunRevision(run)) IndexRun(static_cast<int>(run));
}

// What was worked out for the run's operations that still stand is kept
// (they keep their order among the others); where they reach is placed
// again only when some operation moved (a dot that changes colour stays
// put).
void OpIndex::IndexRun(int run) {
  ++runs_indexed_;
  const auto at = static_cast<std::size_t>(run);
  RunEntry& entry = runs_[at];
  const std::vector<ui::DrawOp>& ops = list_->RunOps(at);
  const std::vector<std::uint64_t>& drawn = list_->RunOpRevisions(at);
  const std::uint64_t indexed = entry.revision;
  entry.revision = list_->RunRevision(at);
  old_.swap(entry.ops);
  entry.ops.clear();
  entry.ops.reserve(ops.size());
  bool same_places = old_.size() == ops.size();
  std::size_t next_old = 0;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    OpEntry* kept = nullptr;
    if (indexed != kNotIndexed && drawn[i] <= indexed) {
      while (next_old < old_.size() && old_[next_old].drawn != drawn[i]) ++next_old;
      if (next_old < old_.size()) kept = &old_[next_old++];
    }
    if (kept != nullptr) {
      entry.ops.push_back(std::move(*kept));
    } else {
      OpEntry op;
      op.drawn = drawn[i];
      op.reach = ReachOf(ops[i]);
      const QRect cells = CellsOf(op.reach);
      op.wide = cells.width() * cells.height() > wide_cells_;
      entry.ops.push_back(std::move(op));
    }
    const OpEntry& now = entry.ops.back();
    if (same_places && (now.reach != old_[i].reach || now.wide != old_[i].wide)) same_places = false;
  }
  if (same_places) return;
  for (std::size_t i = 0; i < old_.size(); ++i) Place({run, static_cast<int>(i)}, old_[i], false);
  for (std::size_t i = 0; i < entry.ops.size(); ++i)
    Place({run, static_cast<int>(i)}, entry.ops[i], true);
}

void OpIndex::Place(Ref ref, const OpEntry& op, bool add) {
  const Placed placed{ref, op.reach.left(), op.reach.top(), op.reach.right(), op.reach.bottom()};
  const auto edit = [&](std::vector<Placed>& cell) {
    if (add)
      cell.push_back(placed);
    else
      std::erase(cell, placed);
  };
  if (op.wide) return edit(wide_);
  const QRect cells = CellsOf(op.reach);
  for (int row = cells.top(); row <= cells.bottom(); ++row)
    for (int column = cells.left(); column <= cells.right(); ++column)
      edit(cells_[static_cast<std::size_t>(row * columns_ + column)]);
}

QRect OpIndex::CellsOf(const QRect& box) const {
  const QRect inside = box & bounds_;
  if (inside.isEmpty()) return QRect();
  return QRect(QPoint(inside.left() / kCell, inside.top() / kCell),
               QPoint(inside.right() / kCell, inside.bottom() / kCell));
}

const std::vector<OpIndex::Ref>& OpIndex::Reaching(const QRect& box) {
  found_.clear();
  const int left = box.left(), top = box.top(), right = box.right(), bottom = box.bottom();
  const auto add = [&](const Placed& op) {
    if (op.left <= right && left <= op.right && op.top <= bottom && top <= op.bottom)
      found_.push_back(op.ref);
  };
  const QRect cells = CellsOf(box);
  for (int row = cells.top(); row <= cells.bottom(); ++row)
    for (int column = cells.left(); column <= cells.right(); ++column)
      for (const Placed& op : cells_[static_cast<std::size_t>(row * columns_ + column)]) add(op);
  for (const Placed& op : wide_) add(op);
  std::sort(found_.begin(), found_.end());
  found_.erase(std::unique(found_.begin(), found_.end()), found_.end());
  return found_;
}

const ui::DrawOp& OpIndex::Op(Ref ref) const {
  return list_->RunOps(static_cast<std::size_t>(ref.run))[static_cast<std::size_t>(ref.op)];
}

bool OpIndex::Meets(Ref ref, const PixelShape& shape) {
  OpEntry& entry = Entry(ref);
  if (!shape.Meets(entry.reach)) return false;
  const auto* text = std::get_if<ui::DrawText>(&Op(ref));
  if (text == nullptr) return true;
  if (!entry.ink) entry.ink = InkOf(*text);
  return shape.Meets(*entry.ink);
}

bool OpIndex::Hides(Ref ref, const PixelShape& shape, const QRect& shape_bounds) {
  OpEntry& entry = Entry(ref);
  if (!entry.reach.contains(shape_bounds)) return false;
  if (!entry.opaque) entry.opaque = OpaqueShapeOf(Op(ref), *palette_);
  return !entry.opaque->rows.empty() && entry.opaque->Covers(shape);
}

}  // namespace qtui
