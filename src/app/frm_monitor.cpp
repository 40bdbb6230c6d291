#include "app/frm_monitor.h"

#include "app/console.h"

namespace app {

frmMonitor::frmMonitor(Console& c) : ui::Form(c.rt, "frmMonitor") {}

void frmMonitor::Design() {
  Caption = "Download";
  BorderStyle = ui::vbFixedToolWindow;
  Move(3000, 3000, 4800, 1500);
  txtCaption.Locked = true;
  txtCaption.Move(120, 120, 4440, 315);
  ProgressBar1.Move(120, 540, 4440, 375);
}

}  // namespace app
