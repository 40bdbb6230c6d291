#include "app/frm_prog_bar.h"

#include "app/console.h"

namespace app {

namespace {
// The largest bulk write covers the parameter memory up to address 290.
constexpr int kBulkProgressMax = 300;
}

frmProgBar::frmProgBar(Console& c) : ui::Form(c.rt, "frmProgBar") {}

void frmProgBar::Design() {
  Caption = "Sending Data";
  BorderStyle = ui::vbFixedToolWindow;
  Move(3000, 3000, 4800, 1440);
  Label1.Caption = "Writing unit memory...";
  Label1.Move(240, 180, 4320, 255);
  pbProgress.Min = 0;
  pbProgress.Max = kBulkProgressMax;
  pbProgress.Value = 0;
  pbProgress.Move(240, 495, 4320, 300);
}

}  // namespace app
