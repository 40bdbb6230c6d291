// The running log of the selected site's last connection.
#pragma once

#include "ui/controls.h"

namespace app {
class Console;
}

namespace sites {

class frmConnectLog : public ui::Form {
 public:
  explicit frmConnectLog(app::Console& c);

  ui::TextBox txtLog{*this, "txtLog"};
  ui::CommandButton cmdClose{*this, "cmdClose"};

 protected:
  void Design() override;
  void Form_Load() override;

 private:
  app::Console& c_;
};

}  // namespace sites
