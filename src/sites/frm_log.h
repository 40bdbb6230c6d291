// The data-log window: a site's daily log records over a date range.
#pragma once

#include "ui/form.h"

namespace app {
class Console;
}

namespace sites {

class frmLog : public ui::Form {
 public:
  explicit frmLog(app::Console& c);

 protected:
  void Design() override;

 private:
  app::Console& c_;
};

}  // namespace sites
