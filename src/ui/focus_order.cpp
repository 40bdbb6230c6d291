#include "ui/focus_order.h"

#include <algorithm>

#include "ui/form.h"

namespace ui {

bool IsFocusableKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
    case ControlKind::CommandButton:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::ListView:
    case ControlKind::TabStrip: return true;
    default: return false;
  }
}

bool LiesOutOfSight(const Control& control) {
  for (const Control* c = &control; c->Container() != nullptr; c = c->Container()) {
    const Control& box = *c->Container();
    if (c->Left() >= box.Width() || c->Top() >= box.Height() || c->Left() + c->Width() < 0 ||
        c->Top() + c->Height() < 0)
      return true;
  }
  return false;
}

bool CanTakeFocus(const Control& control) {
  return IsFocusableKind(control.Kind()) && control.IsShown() && control.IsEnabledHere() &&
         !LiesOutOfSight(control);
}

std::vector<Control*> FocusOrder(const Form& form) {
  std::vector<Control*> order = form.Controls();
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    const bool a_placed = a->DesignOrder() >= 0;
    const bool b_placed = b->DesignOrder() >= 0;
    if (a_placed != b_placed) return a_placed;
    return a_placed && a->DesignOrder() < b->DesignOrder();
  });
  return order;
}

Control* NextFocusable(const Form& form, const Control& from) {
  const std::vector<Control*> order = FocusOrder(form);
  const auto at = std::find(order.begin(), order.end(), &from);
  if (at == order.end()) return nullptr;
  const auto after = std::find_if(at + 1, order.end(), [](Control* c) { return CanTakeFocus(*c); });
  if (after != order.end()) return *after;
  const auto before = std::find_if(order.begin(), at, [](Control* c) { return CanTakeFocus(*c); });
  return before != at ? *before : nullptr;
}

}  // namespace ui
