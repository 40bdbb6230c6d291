#include "ui/toolbar.h"

#include <stdexcept>

namespace ui {

void ToolbarButton::PropertyChanged(Prop which) { bar_->PropertyChanged(which); }

ToolbarButton& Toolbar::AddButton(std::string key, std::string caption, int style,
                                  std::string image) {
  auto button = std::make_unique<ToolbarButton>(*this, ButtonCount() + 1);
  button->Key.Init(std::move(key));
  button->Caption.Init(std::move(caption));
  button->Style.Init(style);
  button->Image.Init(std::move(image));
  buttons_.push_back(std::move(button));
  PropertyChanged(Prop::Buttons);
  return *buttons_.back();
}

ToolbarButton& Toolbar::Buttons(int one_based) {
  if (one_based < 1 || one_based > ButtonCount())
    throw std::out_of_range(Name() + ": no button " + std::to_string(one_based));
  return *buttons_[static_cast<size_t>(one_based - 1)];
}

ToolbarButton* Toolbar::Buttons(std::string_view key) {
  for (auto& b : buttons_)
    if (b->Key() == key) return b.get();
  return nullptr;
}

void Toolbar::Press(int one_based) {
  ToolbarButton& b = Buttons(one_based);
  if (!Enabled() || !b.Enabled() || !b.Visible() || b.Style() == tbrSeparator) return;
  if (b.Style() == tbrCheck) b.Value = b.Value() == tbrPressed ? tbrUnpressed : tbrPressed;
  ButtonClick(b);
}

void Toolbar::Press(std::string_view key) {
  ToolbarButton* b = Buttons(key);
  if (b != nullptr) Press(b->Index());
}

}  // namespace ui
