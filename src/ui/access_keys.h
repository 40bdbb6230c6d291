// Access keys: the letter after a single "&" of a caption, which Alt and
// that letter reach. The Qt widgets answer most of them by themselves; a
// window that lives inside the main window shares the keyboard with the main
// window's menu titles, and there the window's own controls come first.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace ui {

// The caption's access key in lower case, or 0 when it has none ("&&" is a
// plain ampersand).
char AccessKey(std::string_view caption);

// The buttons, option buttons, check boxes and labels of `form` whose
// caption has the access key `key` (any case) and that can answer it now
// (shown and enabled), in focus order.
std::vector<Control*> AccessKeyTargets(const Form& form, char key);

// Answers Alt and `key` in `form`, the focus being on `focused` (nullptr
// when no control of the form has it); false when no control claims the key.
// One control with the key answers it: a button is pressed, an option button
// or check box takes the focus and is pressed, a label gives the focus to
// the next control in focus order. Several share it: the focus goes to the
// next of them after `focused`, going round, and none is pressed. `focus`
// moves the focus, which only the window can do.
bool AnswerAccessKey(const Form& form, char key, const Control* focused,
                     const std::function<void(const Control&)>& focus);

}  // namespace ui
