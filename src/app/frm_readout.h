// A one-line status window for long operations (modem set-up, network
// connection, memory download); the caller sets the text. Cancel closes the
// window and drops a save that waits for the download: the download itself
// goes on and is shown when it arrives.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmReadout : public ui::Form {
 public:
  explicit frmReadout(Console& c);

  ui::Label lblReadout{*this, "lblReadout"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

 protected:
  void Design() override;

 private:
  void cmdCancel_Click();
  Console& c_;
};

}  // namespace app
