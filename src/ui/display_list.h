// What a picture box or a form has drawn on itself: filled boxes, lines,
// circles, text and pictures, in drawing order, in twips. The Qt view paints
// the list; tests inspect it.
//
// Drawing is persistent, as on the original's surfaces: whatever is drawn
// stays until Cls. A surface that draws the same things over and over (the
// map redraws every icon every second) draws each of them as a keyed group:
// a group drawn again under the same key replaces, in its place in the
// drawing order, what that key drew before, so the list keeps one copy of
// each instead of growing with every redraw. The list also notes which
// areas changed, so a view repaints only those: a group drawn again as it
// was changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
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
  double width = 0, height = 0;  // as measured when printed; 0 when not known
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

// An area of the surface in twips; `everywhere` when an operation's reach is
// not known (a text never measured, a picture at its natural size). The area
// of a filled circle also keeps the circle, so that a view can repaint the
// disc rather than the box around it.
struct DrawArea {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool everywhere = false;
  double disc_x = 0, disc_y = 0, disc_radius = 0;  // radius 0: no disc
  friend bool operator==(const DrawArea&, const DrawArea&) = default;
};
// What an operation may cover, with a pixel or two to spare for smoothing.
DrawArea AreaOf(const DrawOp& op);

class DisplayList {
 public:
  // Appends to the open group, if any.
  void Add(DrawOp op);
  // Opens a group: what is added until EndGroup replaces what an earlier
  // group of the same key drew. Groups do not nest; a new BeginGroup closes
  // the open one.
  void BeginGroup(std::int64_t key);
  void EndGroup();
  void Clear();
  // In an open group, when the operation due next is a T for which same()
  // holds, it is kept as it is and counted as drawn: a caller can so redraw
  // without building the operation anew.
  template <class T, class Same>
  bool Repeats(Same&& same) {
    if (open_ == nullptr || cursor_ >= open_->ops.size()) return false;
    const T* due = std::get_if<T>(&open_->ops[cursor_]);
    if (due == nullptr || !same(*due)) return false;
    ++cursor_;
    return true;
  }

  // The areas changed since the last call, each once, or everything.
  struct Changes {
    bool everything = false;
    std::vector<DrawArea> areas;
  };
  Changes TakeChanges();
  // Everything is to be repainted (the program asked for a refresh).
  void ChangedEverywhere() { changes_ = Changes{true, {}}; }

  // Number of operations, and each of them in drawing order.
  std::size_t Count() const;
  template <class F>
  void ForEach(F&& f) const {
    for (const Run& run : runs_)
      for (const DrawOp& op : run.ops) f(op);
  }
  template <class T>
  std::vector<T> OfKind() const {
    std::vector<T> out;
    ForEach([&](const DrawOp& op) {
      if (auto* p = std::get_if<T>(&op)) out.push_back(*p);
    });
    return out;
  }

 private:
  // Consecutive operations outside groups share one run; a group is a run.
  struct Run {
    bool grouped = false;
    std::vector<DrawOp> ops;
  };
  void Touched(const DrawOp& op);
  std::vector<Run> runs_;
  std::unordered_map<std::int64_t, std::size_t> groups_;  // key -> index in runs_
  Run* open_ = nullptr;
  std::size_t cursor_ = 0;  // next operation of the open group
  Changes changes_;
};

}  // namespace ui
