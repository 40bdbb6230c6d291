// The horizontal scroll bar. Change runs whenever Value changes, by code or
// by the operator; Scroll runs when the operator moves the thumb.
#pragma once

#include "ui/control.h"
#include "ui/event.h"

namespace ui {

class HScrollBar : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::HScrollBar; }

  Property<int> Min{this, Prop::Min, 0};
  Property<int> Max{this, Prop::Max, 32767};
  Property<int> Value{this, Prop::Value, 0};
  Property<int> SmallChange{this, Prop::Other, 1};
  Property<int> LargeChange{this, Prop::Other, 1};

  Event<> Change;
  Event<> Scroll;

  // The operator moves the thumb to value (kept within Min..Max).
  void UserScroll(int value);

 protected:
  void OnPropertyChanged(Prop which) override;
};

}  // namespace ui
