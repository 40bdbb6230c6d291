#include "ui/tab_strip.h"

namespace ui {

void TabStrip::AddTab(std::string caption, std::string key) {
  tabs_.push_back(Tab{std::move(caption), std::move(key)});
  PropertyChanged(Prop::Tabs);
}

const std::string& TabStrip::TabCaption(int one_based) const {
  static const std::string empty;
  if (one_based < 1 || one_based > TabCount()) return empty;
  return tabs_[static_cast<size_t>(one_based - 1)].caption;
}

const std::string& TabStrip::TabKey(int one_based) const {
  static const std::string empty;
  if (one_based < 1 || one_based > TabCount()) return empty;
  return tabs_[static_cast<size_t>(one_based - 1)].key;
}

void TabStrip::OnPropertyChanged(Prop which) {
  if (which == Prop::Value) Click();
}

void TabStrip::UserSelect(int one_based) {
  if (!Enabled() || one_based < 1 || one_based > TabCount()) return;
  SelectedIndex = one_based;
}

}  // namespace ui
