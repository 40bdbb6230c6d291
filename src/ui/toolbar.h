// The toolbar: buttons with Key, Caption, tool tip, Tag, Value (pressed look)
// and an image key. ButtonClick passes the button clicked.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"
#include "ui/event.h"

namespace ui {

inline constexpr int tbrDefault = 0;
inline constexpr int tbrCheck = 1;
inline constexpr int tbrSeparator = 3;
inline constexpr int tbrUnpressed = 0;
inline constexpr int tbrPressed = 1;

class Toolbar;

class ToolbarButton : public PropertyOwner {
 public:
  ToolbarButton(Toolbar& bar, int index) : bar_(&bar), index_(index) {}
  int Index() const { return index_; }  // 1-based

  Property<std::string> Key{this, Prop::Buttons};
  Property<std::string> Caption{this, Prop::Buttons};
  Property<std::string> ToolTipText{this, Prop::Buttons};
  Property<std::string> Tag{this, Prop::Buttons};
  Property<int> Value{this, Prop::Buttons, tbrUnpressed};
  Property<std::string> Image{this, Prop::Buttons};  // key of a named picture
  Property<int> Style{this, Prop::Buttons, tbrDefault};
  Property<bool> Visible{this, Prop::Buttons, true};
  Property<bool> Enabled{this, Prop::Buttons, true};

  void PropertyChanged(Prop which) override;

 private:
  Toolbar* bar_;
  int index_;
};

class Toolbar : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::Toolbar; }

  ToolbarButton& AddButton(std::string key, std::string caption = {}, int style = tbrDefault,
                           std::string image = {});
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  // Buttons(1) is the first; Buttons("Key") finds by key (nullptr when absent).
  ToolbarButton& Buttons(int one_based);
  ToolbarButton* Buttons(std::string_view key);

  Event<ToolbarButton&> ButtonClick;
  // The operator clicks a button: a check button toggles its Value first.
  void Press(int one_based);
  void Press(std::string_view key);

 private:
  std::vector<std::unique_ptr<ToolbarButton>> buttons_;
};

}  // namespace ui
