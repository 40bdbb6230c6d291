// The simple controls: labels, text boxes, buttons, option buttons, check
// boxes, frames, shapes, lines, progress bars and image (lamp) controls.
#pragma once

#include <string>
#include <string_view>

#include "ui/control.h"
#include "ui/event.h"
#include "ui/picture.h"

namespace ui {

inline constexpr int vbLeftJustify = 0;
inline constexpr int vbRightJustify = 1;
inline constexpr int vbCenter = 2;

class Label : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::Label; }
  Property<std::string> Caption{this, Prop::Caption};
  Property<int> Alignment{this, Prop::Alignment, vbLeftJustify};
  Property<int> BorderStyle{this, Prop::Style, 0};
  Property<bool> Transparent{this, Prop::Style, false};  // BackStyle 0
  Event<> Click;
  Event<> DblClick;
};

class TextBox : public Control {
 public:
  TextBox(Form& owner, std::string name, int index = -1, Control* container = nullptr);
  ControlKind Kind() const override { return ControlKind::TextBox; }
  Property<std::string> Text{this, Prop::Text};
  Property<bool> Locked{this, Prop::Locked, false};
  Property<bool> MultiLine{this, Prop::Style, false};
  Property<int> Alignment{this, Prop::Alignment, vbLeftJustify};
  Property<int> MaxLength{this, Prop::Other, 0};
  int SelStart = 0;
  int SelLength = 0;

  Event<> Change;
  Event<int&> KeyPress;  // KeyAscii; set to 0 to swallow the key
  Event<> GotFocus;
  Event<> LostFocus;
  Event<> Click;
  Event<> DblClick;

  // The operator types characters: each goes through KeyPress and, unless
  // swallowed, replaces the selection (or is appended). Backspace (8) deletes.
  void Type(std::string_view keys);
  // The operator replaces the whole text (a paste or an edit in the view).
  void UserEdit(std::string_view text);
  // Appends text at the end, as the program's log windows do; costs what the
  // piece costs, however long the text has grown.
  void Append(std::string_view more);
  // How much of the front of Text the last change left as it was: the text
  // before an Append, 0 after any other change. A view that shows that much
  // adds only the rest.
  std::size_t KeptLength() const { return kept_length_; }

 protected:
  void OnPropertyChanged(Prop which) override;

 private:
  std::size_t appending_from_ = std::string::npos;
  std::size_t kept_length_ = 0;
};

class CommandButton : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::CommandButton; }
  Property<std::string> Caption{this, Prop::Caption};
  Property<bool> Default{this, Prop::Other, false};
  Property<bool> Cancel{this, Prop::Other, false};
  Property<ui::Picture> Picture{this, Prop::Picture};
  Event<> Click;
  // The operator presses the button (ignored while it is disabled or hidden).
  void Press();
};

class OptionButton : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::OptionButton; }
  Property<std::string> Caption{this, Prop::Caption};
  // Setting True clears the other option buttons of the same container and
  // raises Click, as the original does for code and operator alike.
  Property<bool> Value{this, Prop::Value, false};
  Event<> Click;
  Event<int, int, double, double> MouseDown;  // Button, Shift, X, Y
  Event<int, int, double, double> MouseUp;
  // The operator clicks it: MouseDown, then Value becomes True, then MouseUp.
  void Press();

 protected:
  void OnPropertyChanged(Prop which) override;
};

inline constexpr int vbUnchecked = 0;
inline constexpr int vbChecked = 1;
inline constexpr int vbGrayed = 2;

inline constexpr int vbStandard = 0;
inline constexpr int vbGraphical = 1;

class CheckBox : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::CheckBox; }
  Property<std::string> Caption{this, Prop::Caption};
  Property<int> Value{this, Prop::Value, vbUnchecked};  // raises Click on change
  // vbGraphical: drawn as a button that stays down while checked.
  Property<int> Style{this, Prop::Style, vbStandard};
  Event<> Click;
  Event<int, int, double, double> MouseUp;  // Button, Shift, X, Y
  void Press();  // the operator toggles it: Value changes, then MouseUp

 protected:
  void OnPropertyChanged(Prop which) override;
};

// A frame groups controls (and separates option button groups).
class Frame : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::Frame; }
  Property<std::string> Caption{this, Prop::Caption};
  Property<int> BorderStyle{this, Prop::Style, 1};
};

inline constexpr int vbShapeRectangle = 0;
inline constexpr int vbShapeSquare = 1;
inline constexpr int vbShapeOval = 2;
inline constexpr int vbShapeCircle = 3;
inline constexpr int vbShapeRoundedRectangle = 4;

class Shape : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::Shape; }
  Property<int> ShapeKind{this, Prop::Shape, vbShapeRectangle};
  Property<Color> FillColor{this, Prop::Shape, 0};
  Property<bool> Filled{this, Prop::Shape, false};  // FillStyle solid
  Property<Color> BorderColor{this, Prop::Shape, 0};
};

class LineControl : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::Line; }
  Property<int> X1{this, Prop::Geometry, 0};
  Property<int> Y1{this, Prop::Geometry, 0};
  Property<int> X2{this, Prop::Geometry, 0};
  Property<int> Y2{this, Prop::Geometry, 0};
  Property<Color> BorderColor{this, Prop::Shape, 0};
};

class ProgressBar : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::ProgressBar; }
  Property<int> Min{this, Prop::Min, 0};
  Property<int> Max{this, Prop::Max, 100};
  Property<int> Value{this, Prop::Value, 0};
};

// An image control; lamps are images whose picture is one of the named
// source pictures.
class Image : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::Image; }
  Property<ui::Picture> Picture{this, Prop::Picture};
  Property<bool> Stretch{this, Prop::Style, false};
  Event<> Click;
  Event<> DblClick;
  Event<int, int, double, double> MouseDown;
};

}  // namespace ui
