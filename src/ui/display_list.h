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
#include <memory>
#include <string>
#include <type_traits>
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
// A picture held out of line: drawing operations stay small (the map keeps
// tens of thousands of them, pictures are few), and copies share it.
class PictureRef {
 public:
  PictureRef(Picture picture) : picture_(std::make_shared<const Picture>(std::move(picture))) {}
  const Picture& operator*() const { return *picture_; }
  const Picture* operator->() const { return picture_.get(); }
  friend bool operator==(const PictureRef& a, const PictureRef& b) {
    return a.picture_ == b.picture_ || *a.picture_ == *b.picture_;
  }

 private:
  std::shared_ptr<const Picture> picture_;
};

struct DrawPicture {  // picture stretched into the rectangle; source part optional
  PictureRef picture;
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
  // The same, for one kind: an operation drawn again as it was costs a
  // comparison, nothing more.
  template <class T>
    requires(!std::is_same_v<T, DrawOp>)
  void Add(T op) {
    if (Repeats<T>([&](const T& due) { return due == op; })) return;
    AddChanged(DrawOp(std::move(op)));
  }
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

  // The text that the open group drew next the last time, if any (a caller
  // that measures a text before printing it finds its width there).
  const DrawText* TextDue() const;

  // The areas changed since the last call, each once, or everything.
  struct Changes {
    bool everything = false;
    std::vector<DrawArea> areas;
  };
  Changes TakeChanges();
  // Everything is to be repainted (the program asked for a refresh).
  void ChangedEverywhere() { changes_ = Changes{true, {}}; }
  // Counts every change of the operations: equal before and after a redraw
  // when the redraw changed nothing.
  std::uint64_t Revision() const { return revision_; }

  // Number of operations, and each of them in drawing order.
  std::size_t Count() const;
  template <class F>
  void ForEach(F&& f) const {
    for (const Run& run : runs_)
      for (const DrawOp& op : run.ops) f(op);
  }
  // The runs of operations in drawing order: those outside groups make runs
  // between the groups, each group is one. A run keeps its number until
  // Clear, and the revision of its last change; each of its operations
  // keeps the revision it was drawn at. Revisions only grow, so a view can
  // keep what it worked out from the runs and operations still standing.
  std::size_t RunCount() const { return runs_.size(); }
  const std::vector<DrawOp>& RunOps(std::size_t run) const { return runs_[run].ops; }
  std::uint64_t RunRevision(std::size_t run) const { return runs_[run].revision; }
  const std::vector<std::uint64_t>& RunOpRevisions(std::size_t run) const {
    return runs_[run].drawn;
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
    std::int64_t key = 0;
    std::uint64_t revision = 0;
    std::vector<DrawOp> ops;
    std::vector<std::uint64_t> drawn;  // the revision each operation was drawn at
  };
  void AddChanged(DrawOp op);
  void Touched(Run& run, const DrawOp& op);
  std::vector<Run> runs_;
  std::unordered_map<std::int64_t, std::size_t> groups_;  // key -> index in runs_
  Run* open_ = nullptr;
  std::size_t cursor_ = 0;  // next operation of the open group
  std::size_t next_run_ = 0;  // the run after the group last opened
  std::uint64_t revision_ = 0;
  Changes changes_;
};

}  // namespace ui
