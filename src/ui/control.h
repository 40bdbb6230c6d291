// Base of every control model: the properties all controls share, the link
// to the owning form, and the observer through which a view follows changes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/property.h"

namespace ui {

class Form;
class Control;

// A colour as the original stores it: 0x00BBGGRR, or a system colour
// 0x800000nn.
using Color = std::uint32_t;
inline constexpr Color RGB(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr Color kSystemButtonFace = 0x8000000F;
inline constexpr Color kSystemWindow = 0x80000005;
inline constexpr Color kSystemWindowText = 0x80000008;
inline constexpr Color kSystemButtonText = 0x80000012;
inline constexpr Color kSystemHighlight = 0x8000000D;
inline constexpr Color kSystemCaptionText = 0x80000009;
inline constexpr Color kSystemActiveBorder = 0x8000000A;
inline constexpr Color vbBlack = RGB(0, 0, 0);
inline constexpr Color vbWhite = RGB(255, 255, 255);
inline constexpr Color vbRed = RGB(255, 0, 0);
inline constexpr Color vbGreen = RGB(0, 255, 0);
inline constexpr Color vbBlue = RGB(0, 0, 255);
inline constexpr Color vbYellow = RGB(255, 255, 0);

enum class ControlKind {
  Label, TextBox, CommandButton, OptionButton, CheckBox, ComboBox, ListBox,
  UpDown, Image, PictureBox, ProgressBar, Frame, Shape, TabStrip, ListView,
  Timer, Menu, Toolbar, StatusBar, Line, HScrollBar
};

// Mouse buttons and shift state as the original's mouse events pass them.
inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;

// Follows one control's changes (the Qt view of the control).
class ControlObserver {
 public:
  virtual void ControlChanged(Control& control, Prop which) = 0;

 protected:
  ~ControlObserver() = default;
};

class Control : public PropertyOwner {
 public:
  // name: the documented control name; index: the element index in a control
  // array, -1 for a single control; container: the frame, picture box or tab
  // page that holds it (nullptr: the form itself).
  Control(Form& owner, std::string name, int index = -1, Control* container = nullptr);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  virtual ControlKind Kind() const = 0;

  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  Form& Owner() const { return *owner_; }
  Control* Container() const { return container_; }
  void SetContainer(Control* c);

  Property<bool> Visible{this, Prop::Visible, true};
  Property<bool> Enabled{this, Prop::Enabled, true};
  Property<int> Left{this, Prop::Geometry, 0};
  Property<int> Top{this, Prop::Geometry, 0};
  Property<int> Width{this, Prop::Geometry, 0};
  Property<int> Height{this, Prop::Geometry, 0};
  Property<std::string> Tag{this, Prop::Tag};
  Property<std::string> ToolTipText{this, Prop::ToolTip};
  Property<Color> BackColor{this, Prop::BackColor, kSystemButtonFace};
  Property<Color> ForeColor{this, Prop::ForeColor, kSystemButtonText};
  Property<double> FontSize{this, Prop::Font, 8.25};
  Property<bool> FontBold{this, Prop::Font, false};
  // Its texts (a box's text, a list's items) are file names and paths: the
  // file system's own bytes, shown as the file system names them, where
  // other texts are the program's 8-bit text.
  Property<bool> HoldsPaths{this, Prop::Other, false};

  // Places the control (twips), as the original's Move.
  void Move(int left, int top, int width = -1, int height = -1);
  // Asks the view to give the control the keyboard focus.
  void SetFocus();

  // A control is shown when it and every container up to the form are visible.
  bool IsShown() const;
  // Enabled, and so is every container up to the form.
  bool IsEnabledHere() const;

  // Where the control stands in its window's design: numbered by its first
  // placement (Move, or a Left/Top/Width/Height), which a window's Design()
  // does in the order of its control table; -1 until it has been placed.
  // The keyboard's focus order follows it.
  int DesignOrder() const { return design_order_; }

  void SetObserver(ControlObserver* o) { observer_ = o; }
  ControlObserver* Observer() const { return observer_; }

  void PropertyChanged(Prop which) override;

 protected:
  // Hook for controls that raise events on a property change.
  virtual void OnPropertyChanged(Prop) {}

 private:
  Form* owner_;
  std::string name_;
  int index_;
  Control* container_;
  ControlObserver* observer_ = nullptr;
  int design_order_ = -1;
};

}  // namespace ui
