// A tab strip: captions only; the form shows the page that belongs to the
// selected tab.
#pragma once

#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/event.h"

namespace ui {

class TabStrip : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::TabStrip; }

  void AddTab(std::string caption, std::string key = {});
  int TabCount() const { return static_cast<int>(tabs_.size()); }
  const std::string& TabCaption(int one_based) const;
  const std::string& TabKey(int one_based) const;
  // Selected tab, 1-based (SelectedItem.Index); setting it raises Click.
  Property<int> SelectedIndex{this, Prop::Value, 1};

  Event<> Click;
  void UserSelect(int one_based);

 protected:
  void OnPropertyChanged(Prop which) override;

 private:
  struct Tab {
    std::string caption, key;
  };
  std::vector<Tab> tabs_;
};

}  // namespace ui
