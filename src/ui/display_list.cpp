#include "ui/display_list.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace ui {

namespace {

constexpr double kSpare = 30;  // twips: two pixels
// Beyond this many distinct areas a view repaints everything.
constexpr std::size_t kMostAreas = 4096;

DrawArea Around(double x1, double y1, double x2, double y2, double spare) {
  return DrawArea{std::min(x1, x2) - spare, std::min(y1, y2) - spare, std::max(x1, x2) + spare,
                  std::max(y1, y2) + spare, false};
}

void KeepEachAreaOnce(std::vector<DrawArea>& areas) {
  const auto key = [](const DrawArea& a) {
    return std::tie(a.left, a.top, a.right, a.bottom, a.everywhere, a.disc_x, a.disc_y,
                    a.disc_radius);
  };
  std::sort(areas.begin(), areas.end(),
            [&](const DrawArea& a, const DrawArea& b) { return key(a) < key(b); });
  areas.erase(std::unique(areas.begin(), areas.end()), areas.end());
}

}  // namespace

DrawArea AreaOf(const DrawOp& op) {
  if (const auto* box = std::get_if<DrawBox>(&op))
    return Around(box->x1, box->y1, box->x2, box->y2, kSpare);
  if (const auto* line = std::get_if<DrawLine>(&op))
    return Around(line->x1, line->y1, line->x2, line->y2, kSpare + 15.0 * line->width);
  if (const auto* c = std::get_if<DrawCircle>(&op)) {
    DrawArea area =
        Around(c->x - c->radius, c->y - c->radius, c->x + c->radius, c->y + c->radius, kSpare);
    if (c->filled) {
      area.disc_x = c->x;
      area.disc_y = c->y;
      area.disc_radius = c->radius;
    }
    return area;
  }
  if (const auto* text = std::get_if<DrawText>(&op)) {
    if (text->width <= 0 || text->height <= 0) return DrawArea{0, 0, 0, 0, true};
    return Around(text->x, text->y, text->x + text->width, text->y + text->height, kSpare);
  }
  const auto& picture = std::get<DrawPicture>(op);
  if (picture.width <= 0 || picture.height <= 0) return DrawArea{0, 0, 0, 0, true};
  return Around(picture.x, picture.y, picture.x + picture.width, picture.y + picture.height, kSpare);
}

// An operation replaced by one at the same place, or icons drawn on top of
// each other, touch the same area more than once: it is reported once.
void DisplayList::Touched(Run& run, const DrawOp& op) {
  run.revision = ++revision_;
  if (changes_.everything) return;
  const DrawArea area = AreaOf(op);
  std::vector<DrawArea>& areas = changes_.areas;
  if (!areas.empty() && areas.back() == area) return;
  areas.push_back(area);
  if (area.everywhere) return ChangedEverywhere();
  if (areas.size() > 2 * kMostAreas) {
    KeepEachAreaOnce(areas);
    if (areas.size() > kMostAreas) ChangedEverywhere();
  }
}

void DisplayList::Add(DrawOp op) {
  if (open_ != nullptr && cursor_ < open_->ops.size() && open_->ops[cursor_] == op) {
    ++cursor_;
    return;
  }
  AddChanged(std::move(op));
}

// In an open group an operation equal to the one due changes nothing (the
// callers have looked). One equal to the operation after it means the one
// due is no longer drawn (a dot that blinks off); one of the same kind as
// the one due takes its place (a dot recoloured, a label renamed); any other
// is drawn anew before the one due, which may still come. Only the
// operations that come or go change the picture: the others keep their
// order. (Should the one replaced come after all, it is drawn anew then.)
void DisplayList::AddChanged(DrawOp op) {
  if (open_ != nullptr) {
    std::vector<DrawOp>& ops = open_->ops;
    const auto at = static_cast<std::ptrdiff_t>(cursor_);
    if (cursor_ + 1 < ops.size() && ops[cursor_ + 1] == op) {
      Touched(*open_, ops[cursor_]);
      ops.erase(ops.begin() + at);
      open_->drawn.erase(open_->drawn.begin() + at);
    } else if (cursor_ < ops.size() && ops[cursor_].index() == op.index()) {
      Touched(*open_, ops[cursor_]);
      Touched(*open_, op);
      ops[cursor_] = std::move(op);
      open_->drawn[cursor_] = revision_;
    } else {
      Touched(*open_, op);
      ops.insert(ops.begin() + at, std::move(op));
      open_->drawn.insert(open_->drawn.begin() + at, revision_);
    }
    ++cursor_;
    return;
  }
  if (runs_.empty() || runs_.back().grouped) runs_.push_back(Run{false, 0, revision_, {}, {}});
  Run& run = runs_.back();
  Touched(run, op);
  run.ops.push_back(std::move(op));
  run.drawn.push_back(revision_);
}

// Groups are mostly drawn again in the order they were first drawn: the
// run after the last group opened is looked at before the table of keys.
void DisplayList::BeginGroup(std::int64_t key) {
  EndGroup();
  std::size_t run = next_run_;
  if (run >= runs_.size() || !runs_[run].grouped || runs_[run].key != key) {
    auto [it, added] = groups_.try_emplace(key, runs_.size());
    if (added) runs_.push_back(Run{true, key, revision_, {}, {}});
    run = it->second;
  }
  open_ = &runs_[run];
  cursor_ = 0;
  next_run_ = run + 1;
}

// What the group drew before beyond what it drew now is gone.
void DisplayList::EndGroup() {
  if (open_ == nullptr) return;
  std::vector<DrawOp>& ops = open_->ops;
  for (std::size_t i = cursor_; i < ops.size(); ++i) Touched(*open_, ops[i]);
  ops.resize(cursor_);
  open_->drawn.resize(cursor_);
  open_ = nullptr;
}

const DrawText* DisplayList::TextDue() const {
  if (open_ == nullptr) return nullptr;
  for (std::size_t i = cursor_; i < open_->ops.size(); ++i)
    if (const auto* text = std::get_if<DrawText>(&open_->ops[i])) return text;
  return nullptr;
}

void DisplayList::Clear() {
  runs_.clear();
  groups_.clear();
  open_ = nullptr;
  next_run_ = 0;
  ++revision_;
  changes_ = Changes{true, {}};
}

DisplayList::Changes DisplayList::TakeChanges() {
  Changes taken = std::exchange(changes_, Changes{});
  KeepEachAreaOnce(taken.areas);
  if (taken.areas.size() > kMostAreas) return Changes{true, {}};
  return taken;
}

std::size_t DisplayList::Count() const {
  std::size_t n = 0;
  for (const Run& run : runs_) n += run.ops.size();
  return n;
}

}  // namespace ui
