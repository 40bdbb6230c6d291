// The online window: the session's running log, its status line and the
// live values of the connected unit.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmProgress : public ui::Form {
 public:
  explicit frmProgress(Console& c);

  ui::TextBox txtLog{*this, "txtLog"};
  ui::TextBox txtStatus{*this, "txtStatus"};
  ui::TextBox txtName{*this, "txtName"};

 protected:
  void Design() override;

 private:
  Console& c_;
};

}  // namespace app
