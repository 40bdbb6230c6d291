#include "ui/updown.h"

namespace ui {

void UpDown::OnPropertyChanged(Prop which) {
  if (which == Prop::Value) Change();
}

void UpDown::PressUp() {
  if (!Enabled()) return;
  int next = Value() + Increment();
  if (next > Max()) next = Wrap() ? Min() : Max();
  Value = next;
  UpClick();
}

void UpDown::PressDown() {
  if (!Enabled()) return;
  int next = Value() - Increment();
  if (next < Min()) next = Wrap() ? Max() : Min();
  Value = next;
  DownClick();
}

}  // namespace ui
