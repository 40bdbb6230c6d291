#include "ui/access_keys.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "ui/basic_controls.h"
#include "ui/focus_order.h"
#include "ui/form.h"

namespace ui {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Only the kinds whose caption answers its key by itself; a frame's or a
// tab's caption is left to the widgets.
const std::string* CaptionOf(const Control& c) {
  switch (c.Kind()) {
    case ControlKind::CommandButton: return &static_cast<const CommandButton&>(c).Caption();
    case ControlKind::OptionButton: return &static_cast<const OptionButton&>(c).Caption();
    case ControlKind::CheckBox: return &static_cast<const CheckBox&>(c).Caption();
    case ControlKind::Label: return &static_cast<const Label&>(c).Caption();
    default: return nullptr;
  }
}

}  // namespace

char AccessKey(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return Lower(caption[i + 1]);
  }
  return 0;
}

std::vector<Control*> AccessKeyTargets(const Form& form, char key) {
  std::vector<Control*> targets;
  if (key == 0) return targets;
  for (Control* c : FocusOrder(form)) {
    const std::string* caption = CaptionOf(*c);
    if (caption != nullptr && AccessKey(*caption) == Lower(key) && c->IsShown() &&
        c->IsEnabledHere())
      targets.push_back(c);
  }
  return targets;
}

bool AnswerAccessKey(const Form& form, char key, const Control* focused,
                     const std::function<void(const Control&)>& focus) {
  const std::vector<Control*> targets = AccessKeyTargets(form, key);
  if (targets.empty()) return false;
  Control* target = targets.front();
  const auto focus_after = [&](const Control& label) {
    if (const Control* next = NextFocusable(form, label)) focus(*next);
  };
  if (targets.size() > 1) {
    const std::vector<Control*> order = FocusOrder(form);
    auto from = std::find(order.begin(), order.end(), focused);
    from = from == order.end() ? order.begin() : from + 1;
    const auto next = std::find_if(from, order.end(), [&](const Control* c) {
      return std::find(targets.begin(), targets.end(), c) != targets.end();
    });
    if (next != order.end()) target = *next;
    if (target->Kind() == ControlKind::Label) focus_after(*target);
    else focus(*target);
    return true;
  }
  switch (target->Kind()) {
    case ControlKind::CommandButton: static_cast<CommandButton*>(target)->Press(); break;
    case ControlKind::OptionButton:
      focus(*target);
      static_cast<OptionButton*>(target)->Press();
      break;
    case ControlKind::CheckBox:
      focus(*target);
      static_cast<CheckBox*>(target)->Press();
      break;
    default: focus_after(*target); break;
  }
  return true;
}

}  // namespace ui
