#include "ui/menu.h"

namespace ui {

Menu::Menu(Form& owner, std::string name, Menu* parent, int index)
    : Control(owner, std::move(name), index, parent), parent_(parent) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

void Menu::Choose() {
  for (const Menu* m = this; m != nullptr; m = m->Parent())
    if (!m->Enabled() || !m->Visible()) return;
  Click();
}

}  // namespace ui
