// The installation screen: five pages (Factory, Install, Controls, Memory,
// Status) showing the unit's parameters and status, with its unit commands.
#pragma once

#include "ui/form.h"

namespace app {
class Console;
}

namespace unit {

class frmInstall : public ui::Form {
 public:
  explicit frmInstall(app::Console& c);

 protected:
  void Design() override;

 private:
  app::Console& c_;
};

}  // namespace unit
