// The success notice after a confirmed write: it beeps and closes itself one
// second after it opens.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmMessage : public ui::Form {
 public:
  explicit frmMessage(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::Image Image1{*this, "Image1"};
  ui::Timer Timer1{*this, "Timer1"};

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void Timer1_Timer();

  Console& c_;
};

}  // namespace app
