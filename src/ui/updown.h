// The up-down spinner. Change runs only when Value really changes; an arrow
// press moves the value by Increment (wrapping when Wrap is set), raises
// Change, then UpClick or DownClick. A locked spinner is a disabled one.
#pragma once

#include "ui/control.h"
#include "ui/event.h"

namespace ui {

class UpDown : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::UpDown; }

  Property<int> Value{this, Prop::Value, 0};
  Property<int> Min{this, Prop::Min, 0};
  Property<int> Max{this, Prop::Max, 10};
  Property<int> Increment{this, Prop::Other, 1};
  Property<bool> Wrap{this, Prop::Other, false};

  Event<> Change;
  Event<> UpClick;
  Event<> DownClick;

  // The operator presses an arrow (ignored while disabled).
  void PressUp();
  void PressDown();

 protected:
  void OnPropertyChanged(Prop which) override;
};

}  // namespace ui
