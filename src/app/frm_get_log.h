// Shown while a site's data log downloads. Cancel only hides the window: the
// download goes on and the reply handler hides it when the log is complete.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmGetLog : public ui::Form {
 public:
  explicit frmGetLog(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::Image Image1{*this, "Image1"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

 protected:
  void Design() override;

 private:
  void cmdCancel_Click();
};

}  // namespace app
