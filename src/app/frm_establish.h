// The window shown while a new connection settles: two seconds after it
// opens it closes itself and starts the download of the unit's memory.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmEstablish : public ui::Form {
 public:
  explicit frmEstablish(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::Image Image1{*this, "Image1"};
  ui::Timer tmrClose{*this, "tmrClose"};

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int unload_mode) override;
  void Form_Unload(int& cancel) override;

 private:
  void tmrClose_Timer();

  Console& c_;
};

}  // namespace app
