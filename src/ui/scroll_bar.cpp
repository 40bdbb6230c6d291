#include "ui/scroll_bar.h"

#include <algorithm>

namespace ui {

void HScrollBar::UserScroll(int value) {
  if (!Enabled()) return;
  Value = std::clamp(value, std::min(Min(), Max()), std::max(Min(), Max()));
  Scroll();
}

void HScrollBar::OnPropertyChanged(Prop which) {
  if (which == Prop::Value) Change();
}

}  // namespace ui
