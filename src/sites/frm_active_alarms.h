// The alarms stored for the selected site, by name.
#pragma once

#include "ui/controls.h"

namespace app {
class Console;
}

namespace sites {

class frmActiveAlarms : public ui::Form {
 public:
  explicit frmActiveAlarms(app::Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::TextBox txtSite{*this, "txtSite"};
  ui::ListBox lstAlarms{*this, "lstAlarms"};
  ui::CommandButton cmdClose{*this, "cmdClose"};

 protected:
  void Design() override;
  void Form_Load() override;

 private:
  app::Console& c_;
};

}  // namespace sites
