// A menu entry of a form's menu bar. Entries form a tree through their
// parent; a caption of "-" is a separator. Hidden entries stay out of the bar.
#pragma once

#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/event.h"

namespace ui {

class Menu : public Control {
 public:
  // parent: the entry this one drops down from; nullptr for a bar entry.
  Menu(Form& owner, std::string name, Menu* parent = nullptr, int index = -1);
  ControlKind Kind() const override { return ControlKind::Menu; }

  Property<std::string> Caption{this, Prop::Caption};
  Property<bool> Checked{this, Prop::Checked, false};
  Property<std::string> Shortcut{this, Prop::Other};  // "Ctrl+X", "F1", ...

  Menu* Parent() const { return parent_; }
  const std::vector<Menu*>& Children() const { return children_; }
  bool IsSeparator() const { return Caption() == "-"; }

  Event<> Click;
  // The operator chooses the entry (ignored when it or a parent is disabled
  // or hidden).
  void Choose();

 private:
  Menu* parent_;
  std::vector<Menu*> children_;
};

}  // namespace ui
