// The view makers of each control kind, used by CreateControlView. Each
// makes the widget inside `parent`, the view that follows the model, and
// starts it.
#pragma once

#include "qt/control_view.h"
#include "ui/controls.h"

namespace qtui {

ControlView* MakeLabelView(ui::Label& model, QWidget* parent, ControlHost& host);
ControlView* MakeTextBoxView(ui::TextBox& model, QWidget* parent, ControlHost& host);
ControlView* MakeCommandButtonView(ui::CommandButton& model, QWidget* parent, ControlHost& host);
ControlView* MakeOptionButtonView(ui::OptionButton& model, QWidget* parent, ControlHost& host);
ControlView* MakeCheckBoxView(ui::CheckBox& model, QWidget* parent, ControlHost& host);
ControlView* MakeComboBoxView(ui::ComboBox& model, QWidget* parent, ControlHost& host);
ControlView* MakeListBoxView(ui::ListBox& model, QWidget* parent, ControlHost& host);
ControlView* MakeListViewView(ui::ListView& model, QWidget* parent, ControlHost& host);
ControlView* MakeUpDownView(ui::UpDown& model, QWidget* parent, ControlHost& host);
ControlView* MakeImageView(ui::Image& model, QWidget* parent, ControlHost& host);
ControlView* MakePictureBoxView(ui::PictureBox& model, QWidget* parent, ControlHost& host);
ControlView* MakeProgressBarView(ui::ProgressBar& model, QWidget* parent, ControlHost& host);
ControlView* MakeFrameView(ui::Frame& model, QWidget* parent, ControlHost& host);
ControlView* MakeShapeView(ui::Shape& model, QWidget* parent, ControlHost& host);
ControlView* MakeLineView(ui::LineControl& model, QWidget* parent, ControlHost& host);
ControlView* MakeTabStripView(ui::TabStrip& model, QWidget* parent, ControlHost& host);
ControlView* MakeToolbarView(ui::Toolbar& model, QWidget* parent, ControlHost& host);
ControlView* MakeStatusBarView(ui::StatusBar& model, QWidget* parent, ControlHost& host);
ControlView* MakeHScrollBarView(ui::HScrollBar& model, QWidget* parent, ControlHost& host);

// Starts a freshly made view and hands it back.
template <class View>
ControlView* Started(View* view) {
  view->Start();
  return view;
}

}  // namespace qtui
