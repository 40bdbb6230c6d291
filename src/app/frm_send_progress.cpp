#include "app/frm_send_progress.h"

#include "app/console.h"

namespace app {

frmSendProgress::frmSendProgress(Console& c) : ui::Form(c.rt, "frmSendProgress"), c_(c) {
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmSendProgress::Design() {
  Caption = "Sending Data";
  BorderStyle = ui::vbFixedToolWindow;
  Move(3000, 3000, 4800, 1890);
  Label1.Caption = "Sending data...";
  Label1.Move(240, 180, 4320, 255);
  ProgressBar1.Move(240, 495, 4320, 300);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(3240, 930, 1320, 375);
}

void frmSendProgress::cmdCancel_Click() {
  c_.st.WriteData.clear();
  Unload();
}

}  // namespace app
