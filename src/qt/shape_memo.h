// The pixels of small changed shapes as they were last painted, for each of
// the last two sets of operations that reached them. A dot that blinks
// between two colours is so painted twice and copied after that: what
// reaches it is what reached it two seconds before. An operation is known by
// the revision it was drawn at, a circle by what it draws (a blinking dot is
// drawn anew each time, as it was two seconds before).
#pragma once

#include <QRgb>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "qt/display_list_painter.h"
#include "ui/display_list.h"

namespace qtui {

class ShapeMemo {
 public:
  struct Item {
    std::uint64_t drawn = 0;  // 0 for a circle
    ui::DrawCircle circle{};
    friend bool operator==(const Item&, const Item&) = default;
  };
  // What reaches a shape, in drawing order.
  using Key = std::vector<Item>;

  // The shape's pixels, row by row, as painted when the key reached it; null
  // when not kept.
  const std::vector<QRgb>* Find(const PixelShape& shape, const Key& key);
  // Where to put the shape's pixels for the key, in place of the older of
  // the two kept for it; null when the shape is not to be kept (large, or
  // too many kept).
  std::vector<QRgb>* Place(const PixelShape& shape, const Key& key);
  void Clear() { shapes_.clear(); }

 private:
  struct Slot {
    Key key;
    std::vector<QRgb> pixels;
    std::uint64_t used = 0;  // 0: empty
  };
  struct Entry {
    PixelShape shape;
    Slot phases[2];
  };
  std::unordered_map<std::uint64_t, Entry> shapes_;  // by where the shape lies
  std::uint64_t clock_ = 0;
};

}  // namespace qtui
