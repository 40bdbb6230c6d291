// Progress of a bulk write into the unit's memory (four bytes per packet).
// The bulk write steps its bar and closes it; the window has no code.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmProgBar : public ui::Form {
 public:
  explicit frmProgBar(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::ProgressBar pbProgress{*this, "pbProgress"};

 protected:
  void Design() override;
};

}  // namespace app
