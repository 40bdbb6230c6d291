// The password dialog: a three-part numeric combination that unlocks the
// level asked for (CurrentKey), or opens the terminal window.
#pragma once

#include "ui/controls.h"

namespace app {
class Console;
}

namespace unit {

class frmSecurity : public ui::Form {
 public:
  explicit frmSecurity(app::Console& c);

  ui::Label lblSecurity{*this, "lblSecurity"};
  ui::ControlArray<ui::TextBox> txtComb{*this, "txtComb"};
  ui::ControlArray<ui::UpDown> udComb{*this, "udComb"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

  void txtComb_GotFocus(int Index);
  void txtComb_LostFocus(int Index);
  void udComb_Change(int Index);
  // Checks the combination; a match unlocks the level and shows its page.
  void cmdOK_Click();
  // Shows the page asked for, still locked.
  void cmdCancel_Click();

 protected:
  void Design() override;

 private:
  app::Console& c_;
};

}  // namespace unit
