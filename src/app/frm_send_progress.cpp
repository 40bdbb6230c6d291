#include "app/frm_send_progress.h"

#include "app/console.h"
#include "common/app_info.h"
#include "common/vb.h"

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

// The byte in flight still goes out; the operator learns how far the write
// got, and its last reply brings no success notice.
void frmSendProgress::cmdCancel_Click() {
  auto& st = c_.st;
  const bool writing = !st.WriteData.empty();
  const int sent = ProgressBar1.Value() + 1;
  const int length = ProgressBar1.Max();
  st.WriteData.clear();
  Unload();
  if (!writing) return;
  st.WriteCancelled = true;
  c_.rt.MsgBox("Sending cancelled: " + vb::CStr(sent) + " of " + vb::CStr(length) +
                   " bytes went to the unit.",
               ui::vbExclamation, app_info::kTitle);
}

}  // namespace app
