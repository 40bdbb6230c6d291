// What a picture box or a form has drawn on itself: filled boxes, lines,
// circles, text and pictures, in drawing order, in twips. The Qt view paints
// the list; tests inspect it.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "ui/picture.h"

namespace ui {

using Color = unsigned int;

struct DrawBox {  // Line (x1, y1)-(x2, y2), colour, B[F]
  double x1, y1, x2, y2;
  Color color;
  bool filled;
  friend bool operator==(const DrawBox&, const DrawBox&) = default;
};
struct DrawLine {
  double x1, y1, x2, y2;
  Color color;
  int width;
  friend bool operator==(const DrawLine&, const DrawLine&) = default;
};
struct DrawCircle {  // centre and radius; filled with fill_color when filled
  double x, y, radius;
  Color color;
  bool filled;
  Color fill_color;
  friend bool operator==(const DrawCircle&, const DrawCircle&) = default;
};
struct DrawText {  // text whose top-left corner is at x, y
  double x, y;
  std::string text;
  Color color;
  double font_size;
  bool bold;
  friend bool operator==(const DrawText&, const DrawText&) = default;
};
struct DrawPicture {  // picture stretched into the rectangle; source part optional
  Picture picture;
  double x, y, width, height;
  // Part of the source in its own pixels; width 0 means the whole picture.
  double src_x = 0, src_y = 0, src_width = 0, src_height = 0;
  friend bool operator==(const DrawPicture&, const DrawPicture&) = default;
};

using DrawOp = std::variant<DrawBox, DrawLine, DrawCircle, DrawText, DrawPicture>;

class DisplayList {
 public:
  void Add(DrawOp op) { ops_.push_back(std::move(op)); }
  void Clear() { ops_.clear(); }
  const std::vector<DrawOp>& Ops() const { return ops_; }
  template <class T>
  std::vector<T> OfKind() const {
    std::vector<T> out;
    for (const auto& op : ops_)
      if (auto* p = std::get_if<T>(&op)) out.push_back(*p);
    return out;
  }

 private:
  std::vector<DrawOp> ops_;
};

}  // namespace ui
