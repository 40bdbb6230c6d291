#include "ui/form.h"

#include <algorithm>

#include "ui/runtime.h"

namespace ui {

Form::Form(Runtime& runtime, std::string name)
    : Canvas(this, &runtime), runtime_(&runtime), name_(std::move(name)) {
  runtime_->FormCreated(*this);
}

Form::~Form() { runtime_->FormDestroyed(*this); }

void Form::Register(Control* c) { controls_.push_back(c); }

void Form::Unregister(Control* c) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
}

void Form::ControlAdded(Control& c) {
  if (observer_ != nullptr) observer_->ControlAdded(c);
}

void Form::ControlRemoved(Control& c) {
  if (observer_ != nullptr) observer_->ControlRemoved(c);
}

Control* Form::FindControl(const std::string& name, int index) const {
  for (Control* c : controls_)
    if (c->Name() == name && c->Index() == index) return c;
  return nullptr;
}

void Form::PropertyChanged(Prop which) {
  if (observer_ != nullptr) observer_->FormChanged(*this, which);
  if (which == Prop::Geometry) ResizedIfChanged();
}

void Form::ResizedIfChanged() {
  if (Width() == last_width_ && Height() == last_height_) return;
  last_width_ = Width();
  last_height_ = Height();
  if (loaded_) Form_Resize();
}

// The inner size can change without the outer one (the view settles its
// frame after the window was sized), and windows that lay out by their inner
// size must hear of it.
void Form::SetScaleSize(double width, double height) {
  if (width == scale_width_ && height == scale_height_) return;
  scale_width_ = width;
  scale_height_ = height;
  if (loaded_) Form_Resize();
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  Design();
  Form_Load();
}

void Form::Show(bool modal, Form* owner) {
  Load();
  if (!loaded_) return;  // Form_Load unloaded it again
  owner_form_ = owner;
  bool was_visible = visible_;
  if (!visible_) {
    visible_ = true;
    PropertyChanged(Prop::Visible);
    runtime_->FormVisibilityChanged(*this);
  }
  if (!was_visible) Form_Activate();
  if (modal) {
    modal_ = true;
    runtime_->ShowModal(*this);
    modal_ = false;
  }
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  PropertyChanged(Prop::Visible);
  runtime_->FormVisibilityChanged(*this);
}

bool Form::Unload(int mode) {
  if (!loaded_) return true;
  int cancel = 0;
  Form_QueryUnload(cancel, mode);
  if (cancel != 0) return false;
  Form_Unload(cancel);
  if (cancel != 0) return false;
  loaded_ = false;
  Hide();
  return true;
}

void Form::Move(int left, int top, int width, int height) {
  Left.Init(left);
  Top.Init(top);
  if (width >= 0) Width.Init(width);
  if (height >= 0) Height.Init(height);
  PropertyChanged(Prop::Geometry);
}

void Form::AbandonLoad() {
  loaded_ = false;
  Hide();
}

void Form::Refresh() {
  DrawingChangedEverywhere();
  PropertyChanged(Prop::Drawing);
}
void Form::ZOrder() { PropertyChanged(Prop::Other); }
void Form::SetFocus() { PropertyChanged(Prop::Selection); }

void Form::UserResized(int width, int height) {
  Width.Init(width);
  Height.Init(height);
  ResizedIfChanged();
}

void Form::UserActivated() { Form_Activate(); }

}  // namespace ui
