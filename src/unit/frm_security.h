// The password dialog: a three-part numeric combination that unlocks the
// level asked for (CurrentKey).
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

 protected:
  void Design() override;

 private:
  app::Console& c_;
};

}  // namespace unit
