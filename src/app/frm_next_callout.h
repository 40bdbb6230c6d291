// The callout run's window between two sites ("Automatic Callout"): shown
// modally after each hang-up of a run, it hangs the modem up for good,
// writes the status export and names the next site, which it dials when the
// operator confirms or by itself after 10 seconds; at the end of the list it
// ends the run.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmNextCallout : public ui::Form {
 public:
  explicit frmNextCallout(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::TextBox txtSite{*this, "txtSite"};
  ui::Label Label2{*this, "Label2"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};
  ui::Timer tmrClose{*this, "tmrClose"};

  void cmdOK_Click();
  void cmdCancel_Click();
  void tmrClose_Timer();

 protected:
  void Design() override;
  void Form_Activate() override;
  void Form_QueryUnload(int& cancel, int unload_mode) override;
  void Form_Unload(int& cancel) override;

 private:
  // Takes the next site of the run into the dial command and the selected
  // site; false at the end of the list.
  bool TakeNextSite();
  void EndRun();

  Console& c_;
  bool activated_ = false;  // the sequence runs once per showing
};

// Shows the window over the main window (a hang-up or a failed call of a
// run); returns when it closes.
void ShowNextCallout(Console& c);

}  // namespace app
