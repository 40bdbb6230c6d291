#include "app/frm_progress.h"

#include "app/console.h"

namespace app {

frmProgress::frmProgress(Console& c) : ui::Form(c.rt, "frmProgress"), c_(c) { SetMDIChild(); }

void frmProgress::Design() {
  Caption = "Online";
  Move(0, 0, 7800, 6000);
  txtName.Move(120, 120, 7440, 315);
  txtName.Locked = true;
  txtLog.MultiLine = true;
  txtLog.Locked = true;
  txtLog.Move(120, 3360, 7440, 2040);
  txtStatus.Locked = true;
  txtStatus.Move(120, 5460, 7440, 315);
}

}  // namespace app
