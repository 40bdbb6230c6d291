// Drawing methods shared by picture boxes and forms (Cls, Line, Circle,
// Print, PaintPicture, TextWidth), recorded into a display list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/display_list.h"
#include "ui/property.h"

namespace ui {

class Runtime;

class Canvas {
 public:
  Canvas(PropertyOwner* owner, Runtime* runtime) : owner_(owner), runtime_(runtime) {}

  const DisplayList& Drawing() const { return drawing_; }
  // The areas drawn over since the view last asked (see DisplayList).
  DisplayList::Changes TakeDrawingChanges() { return drawing_.TakeChanges(); }
  void DrawingChangedEverywhere() { drawing_.ChangedEverywhere(); }

  void Cls();
  // Line (x1, y1)-(x2, y2), colour [, B or BF]
  void Line(double x1, double y1, double x2, double y2, Color color);
  void Box(double x1, double y1, double x2, double y2, Color color, bool filled);
  void Circle(double x, double y, double radius, Color color);
  void FilledCircle(double x, double y, double radius, Color border, Color fill);
  // Prints text at (CurrentX, CurrentY) and moves CurrentY down one line.
  void Print(std::string_view text);
  void PaintPicture(const Picture& picture, double x, double y, double width, double height,
                    double src_x = 0, double src_y = 0, double src_width = 0,
                    double src_height = 0);
  double TextWidth(std::string_view text) const;
  double TextHeight(std::string_view text) const;

  // What is drawn between these two replaces what the same key drew before
  // (see DisplayList).
  void BeginGroup(std::int64_t key) { drawing_.BeginGroup(key); }
  void EndGroup();
  // While held, the view hears of the drawing once, when the last hold ends,
  // instead of once per operation.
  void HoldUpdates() { ++holds_; }
  void ReleaseUpdates();

  double CurrentX = 0;
  double CurrentY = 0;
  Color DrawColor = 0;     // the ForeColor used by Print
  double DrawFontSize = 8.25;
  bool DrawFontBold = false;
  int DrawWidth = 1;

 private:
  template <class T>
  void Add(T op);
  void Changed();
  PropertyOwner* owner_;
  Runtime* runtime_;
  DisplayList drawing_;
  int holds_ = 0;
  bool changed_while_held_ = false;
};

}  // namespace ui
