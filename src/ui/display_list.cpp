#include "ui/display_list.h"

#include <algorithm>
#include <utility>

namespace ui {

namespace {

constexpr double kSpare = 30;  // twips: two pixels
constexpr std::size_t kMostAreas = 256;

DrawArea Around(double x1, double y1, double x2, double y2, double spare) {
  return DrawArea{std::min(x1, x2) - spare, std::min(y1, y2) - spare, std::max(x1, x2) + spare,
                  std::max(y1, y2) + spare, false};
}

}  // namespace

DrawArea AreaOf(const DrawOp& op) {
  if (const auto* box = std::get_if<DrawBox>(&op))
    return Around(box->x1, box->y1, box->x2, box->y2, kSpare);
  if (const auto* line = std::get_if<DrawLine>(&op))
    return Around(line->x1, line->y1, line->x2, line->y2, kSpare + 15.0 * line->width);
  if (const auto* c = std::get_if<DrawCircle>(&op))
    return Around(c->x - c->radius, c->y - c->radius, c->x + c->radius, c->y + c->radius, kSpare);
  if (const auto* text = std::get_if<DrawText>(&op)) {
    if (text->width <= 0 || text->height <= 0) return DrawArea{0, 0, 0, 0, true};
    return Around(text->x, text->y, text->x + text->width, text->y + text->height, kSpare);
  }
  const auto& picture = std::get<DrawPicture>(op);
  if (picture.width <= 0 || picture.height <= 0) return DrawArea{0, 0, 0, 0, true};
  return Around(picture.x, picture.y, picture.x + picture.width, picture.y + picture.height, kSpare);
}

void DisplayList::Touched(const DrawOp& op) {
  if (changes_.everything) return;
  const DrawArea area = AreaOf(op);
  if (area.everywhere || changes_.areas.size() >= kMostAreas) {
    changes_.everything = true;
    changes_.areas.clear();
    return;
  }
  changes_.areas.push_back(area);
}

// In an open group an operation equal to the one it replaces changes nothing.
void DisplayList::Add(DrawOp op) {
  if (open_ != nullptr) {
    std::vector<DrawOp>& ops = open_->ops;
    if (cursor_ < ops.size()) {
      if (!(ops[cursor_] == op)) {
        Touched(ops[cursor_]);
        Touched(op);
        ops[cursor_] = std::move(op);
      }
    } else {
      Touched(op);
      ops.push_back(std::move(op));
    }
    ++cursor_;
    return;
  }
  Touched(op);
  if (runs_.empty() || runs_.back().grouped) runs_.push_back(Run{});
  runs_.back().ops.push_back(std::move(op));
}

void DisplayList::BeginGroup(std::int64_t key) {
  EndGroup();
  auto [it, added] = groups_.try_emplace(key, runs_.size());
  if (added) runs_.push_back(Run{true, {}});
  open_ = &runs_[it->second];
  cursor_ = 0;
}

// What the group drew before beyond what it drew now is gone.
void DisplayList::EndGroup() {
  if (open_ == nullptr) return;
  std::vector<DrawOp>& ops = open_->ops;
  for (std::size_t i = cursor_; i < ops.size(); ++i) Touched(ops[i]);
  ops.resize(cursor_);
  open_ = nullptr;
}

void DisplayList::Clear() {
  runs_.clear();
  groups_.clear();
  open_ = nullptr;
  changes_ = Changes{true, {}};
}

DisplayList::Changes DisplayList::TakeChanges() { return std::exchange(changes_, Changes{}); }

std::size_t DisplayList::Count() const {
  std::size_t n = 0;
  for (const Run& run : runs_) n += run.ops.size();
  return n;
}

}  // namespace ui
