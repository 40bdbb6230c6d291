#include "unit/frm_install.h"

#include "app/console.h"

namespace unit {

frmInstall::frmInstall(app::Console& c) : ui::Form(c.rt, "frmInstall"), c_(c) { SetMDIChild(); }

void frmInstall::Design() {
  Caption = "Status";
  Move(0, 0, 9600, 7200);
}

}  // namespace unit
