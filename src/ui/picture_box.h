// A picture box: a container with a picture and a drawing surface.
#pragma once

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/event.h"
#include "ui/picture.h"

namespace ui {

class PictureBox : public Control, public Canvas {
 public:
  PictureBox(Form& owner, std::string name, int index = -1, Control* container = nullptr);
  ControlKind Kind() const override { return ControlKind::PictureBox; }

  Property<ui::Picture> Picture{this, Prop::Picture};
  Property<bool> AutoRedraw{this, Prop::Other, false};
  Property<int> BorderStyle{this, Prop::Style, 1};
  // Inner size in twips (the view keeps them in step with what is shown).
  double ScaleWidth() const;
  double ScaleHeight() const;

  Event<int, int, double, double> MouseDown;  // Button, Shift, X, Y (twips)
  Event<int, int, double, double> MouseMove;
  Event<int, int, double, double> MouseUp;
  Event<> Click;
  Event<> DblClick;
  Event<> Paint;
};

}  // namespace ui
