// The title window shown while the console starts.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmSplash : public ui::Form {
 public:
  explicit frmSplash(Console& c);

  ui::Label lblProductName{*this, "lblProductName"};
  ui::Label lblVersion{*this, "lblVersion"};

 protected:
  void Design() override;
  void Form_Load() override;
};

}  // namespace app
