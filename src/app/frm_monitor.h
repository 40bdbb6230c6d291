// The download progress window: a caption and a bar counting the bytes of a
// dump or log download.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmMonitor : public ui::Form {
 public:
  explicit frmMonitor(Console& c);

  ui::TextBox txtCaption{*this, "txtCaption"};
  ui::ProgressBar ProgressBar1{*this, "ProgressBar1"};

 protected:
  void Design() override;
};

}  // namespace app
