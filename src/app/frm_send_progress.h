// Progress of a multi-byte parameter write. Cancel drops the bytes not yet
// written, so nothing more of the write is sent, and tells how many went.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmSendProgress : public ui::Form {
 public:
  explicit frmSendProgress(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::ProgressBar ProgressBar1{*this, "ProgressBar1"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

 protected:
  void Design() override;

 private:
  void cmdCancel_Click();

  Console& c_;
};

}  // namespace app
