#include "sites/frm_log.h"

#include "app/console.h"

namespace sites {

frmLog::frmLog(app::Console& c) : ui::Form(c.rt, "frmLog"), c_(c) { SetMDIChild(); }

void frmLog::Design() {
  Caption = "Data Log";
  Move(0, 0, 9000, 6000);
}

}  // namespace sites
