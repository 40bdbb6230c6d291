#include "ui/display_list.h"

namespace ui {

void DisplayList::Add(DrawOp op) {
  if (open_ != nullptr) {
    open_->ops.push_back(std::move(op));
    return;
  }
  if (runs_.empty() || runs_.back().grouped) runs_.push_back(Run{});
  runs_.back().ops.push_back(std::move(op));
}

void DisplayList::BeginGroup(std::int64_t key) {
  auto [it, added] = groups_.try_emplace(key, runs_.size());
  if (added) runs_.push_back(Run{true, {}});
  open_ = &runs_[it->second];
  open_->ops.clear();  // keeps its capacity: a redraw allocates nothing new
}

void DisplayList::EndGroup() { open_ = nullptr; }

void DisplayList::Clear() {
  runs_.clear();
  groups_.clear();
  open_ = nullptr;
}

std::size_t DisplayList::Count() const {
  std::size_t n = 0;
  for (const Run& run : runs_) n += run.ops.size();
  return n;
}

}  // namespace ui
