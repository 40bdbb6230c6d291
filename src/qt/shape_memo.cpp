#include "qt/shape_memo.h"

namespace qtui {

namespace {

// Dots, not areas: a kept shape is no wider or higher than this, in pixels.
constexpr int kLargestSide = 48;
// At most this many shapes are kept (a few megabytes).
constexpr std::size_t kMostShapes = 2048;

std::uint64_t PlaceOf(const QRect& bounds) {
  return static_cast<std::uint64_t>(static_cast<std::uint32_t>(bounds.x())) << 32 |
         static_cast<std::uint32_t>(bounds.y());
}

}  // namespace

const std::vector<QRgb>* ShapeMemo::Find(const PixelShape& shape, const Key& key) {
  const auto it = shapes_.find(PlaceOf(shape.Bounds()));
  if (it == shapes_.end() || it->second.shape != shape) return nullptr;
  for (Slot& slot : it->second.phases)
    if (slot.used != 0 && slot.key == key) {
      slot.used = ++clock_;
      return &slot.pixels;
    }
  return nullptr;
}

std::vector<QRgb>* ShapeMemo::Place(const PixelShape& shape, const Key& key) {
  const QRect bounds = shape.Bounds();
  if (bounds.isEmpty() || bounds.width() > kLargestSide || bounds.height() > kLargestSide)
    return nullptr;
  const std::uint64_t place = PlaceOf(bounds);
  auto it = shapes_.find(place);
  if (it == shapes_.end()) {
    if (shapes_.size() >= kMostShapes) return nullptr;
    it = shapes_.try_emplace(place).first;
    it->second.shape = shape;
  } else if (it->second.shape != shape) {
    it->second = Entry{shape, {}};
  }
  Slot* phases = it->second.phases;
  Slot& slot = phases[0].used <= phases[1].used ? phases[0] : phases[1];
  slot.key = key;
  slot.used = ++clock_;
  slot.pixels.clear();
  return &slot.pixels;
}

}  // namespace qtui
