// The terminal window: a raw terminal on the serial port. Keys typed go to
// the port at once; the receive loop appends what it reads to txtIn while
// the echo flag is on.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmDebug : public ui::Form {
 public:
  explicit frmDebug(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::TextBox txtIn{*this, "txtIn"};
  ui::Label Label2{*this, "Label2"};
  ui::TextBox txtOut{*this, "txtOut"};
  ui::Label Label3{*this, "Label3"};
  ui::TextBox txtTest{*this, "txtTest"};
  ui::CommandButton cmdOpenPort{*this, "cmdOpenPort"};
  ui::CommandButton cmdSave{*this, "cmdSave"};
  ui::CommandButton cmdClear{*this, "cmdClear"};
  ui::CommandButton cmdClose{*this, "cmdClose"};

  void txtOut_KeyPress(int& key_ascii);
  void cmdOpenPort_Click();
  void cmdSave_Click();
  void cmdClear_Click();
  void cmdClose_Click();

  // The operator works the port by hand: the window is shown and has sent a
  // key since it was last closed. Only watching the echo holds nothing.
  bool OperatorOnLine() const { return Visible() && typed_; }

 protected:
  void Design() override;

 private:
  Console& c_;
  bool typed_ = false;
};

// Appends received text to the terminal window (the receive loop's echo).
void EchoToTerminal(Console& c, const std::string& text);

}  // namespace app
