#include "ui/status_bar.h"

#include <stdexcept>

namespace ui {

void StatusPanel::PropertyChanged(Prop which) { bar_->PropertyChanged(which); }

StatusBar::StatusBar(Form& owner, std::string name) : Control(owner, std::move(name)) {
  AddPanel();
}

StatusPanel& StatusBar::Panels(int one_based) {
  if (one_based < 1 || one_based > PanelCount())
    throw std::out_of_range(Name() + ": no panel " + std::to_string(one_based));
  return *panels_[static_cast<size_t>(one_based - 1)];
}

StatusPanel& StatusBar::AddPanel() {
  panels_.push_back(std::make_unique<StatusPanel>(*this));
  PropertyChanged(Prop::Panels);
  return *panels_.back();
}

}  // namespace ui
