// The keyboard's way through a window: its controls in design order, and
// which of them can take the focus. The Qt renderer builds every window's
// Tab order from it, so a window's author sets the order by the order in
// which Design() places the controls.
#pragma once

#include <vector>

#include "ui/control.h"

namespace ui {

// Text boxes, buttons, option buttons, check boxes, combo boxes, lists and
// tab strips. Labels, frames, lamps, shapes, lines, pictures, progress bars,
// bars and spinners never take the focus.
bool IsFocusableKind(ControlKind kind);
// Lies wholly outside its container (a frame, picture box or tab strip), or
// its container does, and so on up to the form: none of it can be seen.
bool LiesOutOfSight(const Control& control);
// A focusable kind that is shown and enabled, its containers and form too,
// and not out of sight: what cannot be seen takes no focus.
bool CanTakeFocus(const Control& control);

// The form's controls in design order; controls never placed follow in the
// order they were made.
std::vector<Control*> FocusOrder(const Form& form);
// The first control after `from` in focus order that can take the focus,
// going round to the start; nullptr when none can. A label's access key
// moves the focus there.
Control* NextFocusable(const Form& form, const Control& from);

}  // namespace ui
