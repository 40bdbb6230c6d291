#include "qt/control_views.h"

namespace qtui {

ControlView* CreateControlView(ui::Control& control, ControlHost& host) {
  QWidget* parent = host.SurfaceFor(control.Container());
  switch (control.Kind()) {
    case ui::ControlKind::Label:
      return MakeLabelView(static_cast<ui::Label&>(control), parent, host);
    case ui::ControlKind::TextBox:
      return MakeTextBoxView(static_cast<ui::TextBox&>(control), parent, host);
    case ui::ControlKind::CommandButton:
      return MakeCommandButtonView(static_cast<ui::CommandButton&>(control), parent, host);
    case ui::ControlKind::OptionButton:
      return MakeOptionButtonView(static_cast<ui::OptionButton&>(control), parent, host);
    case ui::ControlKind::CheckBox:
      return MakeCheckBoxView(static_cast<ui::CheckBox&>(control), parent, host);
    case ui::ControlKind::ComboBox:
      return MakeComboBoxView(static_cast<ui::ComboBox&>(control), parent, host);
    case ui::ControlKind::ListBox:
      return MakeListBoxView(static_cast<ui::ListBox&>(control), parent, host);
    case ui::ControlKind::ListView:
      return MakeListViewView(static_cast<ui::ListView&>(control), parent, host);
    case ui::ControlKind::UpDown:
      return MakeUpDownView(static_cast<ui::UpDown&>(control), parent, host);
    case ui::ControlKind::Image:
      return MakeImageView(static_cast<ui::Image&>(control), parent, host);
    case ui::ControlKind::PictureBox:
      return MakePictureBoxView(static_cast<ui::PictureBox&>(control), parent, host);
    case ui::ControlKind::ProgressBar:
      return MakeProgressBarView(static_cast<ui::ProgressBar&>(control), parent, host);
    case ui::ControlKind::Frame:
      return MakeFrameView(static_cast<ui::Frame&>(control), parent, host);
    case ui::ControlKind::Shape:
      return MakeShapeView(static_cast<ui::Shape&>(control), parent, host);
    case ui::ControlKind::Line:
      return MakeLineView(static_cast<ui::LineControl&>(control), parent, host);
    case ui::ControlKind::TabStrip:
      return MakeTabStripView(static_cast<ui::TabStrip&>(control), parent, host);
    case ui::ControlKind::Toolbar:
      return MakeToolbarView(static_cast<ui::Toolbar&>(control), parent, host);
    case ui::ControlKind::StatusBar:
      return MakeStatusBarView(static_cast<ui::StatusBar&>(control), parent, host);
    case ui::ControlKind::HScrollBar:
      return MakeHScrollBarView(static_cast<ui::HScrollBar&>(control), parent, host);
    case ui::ControlKind::Timer:
    case ui::ControlKind::Menu:
      return nullptr;
  }
  return nullptr;
}

}  // namespace qtui
