// The status bar: panels of text (Panels(1) is the first).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class StatusBar;

class StatusPanel : public PropertyOwner {
 public:
  explicit StatusPanel(StatusBar& bar) : bar_(&bar) {}
  Property<std::string> Text{this, Prop::Panels};
  Property<int> Width{this, Prop::Panels, 0};  // twips; 0 = takes the rest
  void PropertyChanged(Prop which) override;

 private:
  StatusBar* bar_;
};

class StatusBar : public Control {
 public:
  StatusBar(Form& owner, std::string name);
  ControlKind Kind() const override { return ControlKind::StatusBar; }
  StatusPanel& Panels(int one_based);
  StatusPanel& AddPanel();
  int PanelCount() const { return static_cast<int>(panels_.size()); }

 private:
  std::vector<std::unique_ptr<StatusPanel>> panels_;
};

}  // namespace ui
