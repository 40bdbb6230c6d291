#include "ui/control.h"

#include "ui/form.h"

namespace ui {

Control::Control(Form& owner, std::string name, int index, Control* container)
    : owner_(&owner), name_(std::move(name)), index_(index), container_(container) {
  owner.Register(this);
}

Control::~Control() { owner_->Unregister(this); }

void Control::SetContainer(Control* c) {
  container_ = c;
  PropertyChanged(Prop::Other);
}

void Control::Move(int left, int top, int width, int height) {
  Left.Init(left);
  Top.Init(top);
  if (width >= 0) Width.Init(width);
  if (height >= 0) Height.Init(height);
  PropertyChanged(Prop::Geometry);
}

void Control::SetFocus() { PropertyChanged(Prop::Selection); }

bool Control::IsShown() const {
  for (const Control* c = this; c != nullptr; c = c->Container())
    if (!c->Visible()) return false;
  return owner_->Visible();
}

bool Control::IsEnabledHere() const {
  for (const Control* c = this; c != nullptr; c = c->Container())
    if (!c->Enabled()) return false;
  return owner_->Enabled();
}

void Control::PropertyChanged(Prop which) {
  if (which == Prop::Geometry && design_order_ < 0) design_order_ = owner_->NextDesignOrder();
  OnPropertyChanged(which);
  if (observer_ != nullptr) observer_->ControlChanged(*this, which);
}

}  // namespace ui
