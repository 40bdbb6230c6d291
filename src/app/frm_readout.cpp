#include "app/frm_readout.h"

#include "app/console.h"

namespace app {

frmReadout::frmReadout(Console& c) : ui::Form(c.rt, "frmReadout"), c_(c) {
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmReadout::Design() {
  Caption = "";
  BorderStyle = ui::vbFixedDialog;
  Move(3600, 3000, 4800, 1560);
  lblReadout.Caption = "Initalizing modem...";
  lblReadout.FontSize = 10;
  lblReadout.Alignment = ui::vbCenter;
  lblReadout.Move(120, 180, 4440, 300);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(1740, 600, 1320, 375);
}

// The operator no longer wants the file: no name is asked for when the
// packet comes.
void frmReadout::cmdCancel_Click() {
  c_.st.SaveBulkPending = false;
  Unload();
}

}  // namespace app
