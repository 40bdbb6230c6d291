// The download progress window: a caption and a bar counting the bytes of a
// dump or log download. Cancel only closes the window; the download goes on.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmMonitor : public ui::Form {
 public:
  explicit frmMonitor(Console& c);

  ui::Image Image1{*this, "Image1"};
  ui::TextBox txtCaption{*this, "txtCaption"};
  ui::ProgressBar ProgressBar1{*this, "ProgressBar1"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

 protected:
  void Design() override;

 private:
  void cmdCancel_Click();
};

}  // namespace app
