#include "ui/canvas.h"

#include "ui/runtime.h"

namespace ui {

void Canvas::Changed() {
  if (holds_ > 0) {
    changed_while_held_ = true;
    return;
  }
  owner_->PropertyChanged(Prop::Drawing);
}

void Canvas::ReleaseUpdates() {
  if (holds_ > 0 && --holds_ == 0 && changed_while_held_) {
    changed_while_held_ = false;
    owner_->PropertyChanged(Prop::Drawing);
  }
}

// The view hears only of a drawing that changed: an icon drawn again as it
// was is no news.
template <class T>
void Canvas::Add(T op) {
  const auto before = drawing_.Revision();
  drawing_.Add(std::move(op));
  if (drawing_.Revision() != before) Changed();
}

void Canvas::EndGroup() {
  const auto before = drawing_.Revision();
  drawing_.EndGroup();
  if (drawing_.Revision() != before) Changed();
}

void Canvas::Cls() {
  drawing_.Clear();
  CurrentX = 0;
  CurrentY = 0;
  Changed();
}

void Canvas::Line(double x1, double y1, double x2, double y2, Color color) {
  Add(DrawLine{x1, y1, x2, y2, color, DrawWidth});
  CurrentX = x2;
  CurrentY = y2;
}

void Canvas::Box(double x1, double y1, double x2, double y2, Color color, bool filled) {
  Add(DrawBox{x1, y1, x2, y2, color, filled});
  CurrentX = x2;
  CurrentY = y2;
}

void Canvas::Circle(double x, double y, double radius, Color color) {
  Add(DrawCircle{x, y, radius, color, false, 0});
}

void Canvas::FilledCircle(double x, double y, double radius, Color border, Color fill) {
  Add(DrawCircle{x, y, radius, border, true, fill});
}

// The same text in the same font measures the same, so a text printed again
// as it was is not measured again.
void Canvas::Print(std::string_view text) {
  double height = 0;
  const bool repeated = drawing_.Repeats<DrawText>([&](const DrawText& due) {
    height = due.height;
    return due.x == CurrentX && due.y == CurrentY && due.color == DrawColor && due.text == text &&
           due.font_size == DrawFontSize && due.bold == DrawFontBold && due.height > 0;
  });
  if (!repeated) {
    height = TextHeight(text);
    Add(DrawText{CurrentX, CurrentY, std::string(text), DrawColor, DrawFontSize, DrawFontBold,
                 TextWidth(text), height});
  }
  CurrentY += height;
}

void Canvas::PaintPicture(const Picture& picture, double x, double y, double width,
                          double height, double src_x, double src_y, double src_width,
                          double src_height) {
  Add(DrawPicture{picture, x, y, width, height, src_x, src_y, src_width, src_height});
}

// A text that a group drew the last time, measured before it is printed
// again (to centre it), measures what it measured then.
double Canvas::TextWidth(std::string_view text) const {
  const DrawText* due = drawing_.TextDue();
  if (due != nullptr && due->width > 0 && due->text == text && due->font_size == DrawFontSize &&
      due->bold == DrawFontBold)
    return due->width;
  return runtime_->TextWidth(text, DrawFontSize, DrawFontBold);
}

double Canvas::TextHeight(std::string_view) const { return runtime_->TextHeight(DrawFontSize); }

}  // namespace ui
