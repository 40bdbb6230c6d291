#include "ui/access_keys.h"

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

}  // namespace ui
