#include "unit/frm_security.h"

#include "app/console.h"

namespace unit {

frmSecurity::frmSecurity(app::Console& c) : ui::Form(c.rt, "frmSecurity"), c_(c) {
  for (int i = 0; i <= 2; ++i) {
    txtComb.Load(i);
    udComb.Load(i);
  }
}

void frmSecurity::Design() {
  Caption = "Security";
  BorderStyle = ui::vbFixedDialog;
  Move(3000, 3000, 4200, 2100);
  lblSecurity.Caption = "Enter password:";
  lblSecurity.Move(240, 240, 3600, 255);
  for (int i = 0; i <= 2; ++i) {
    txtComb[i].Text = "00";
    txtComb[i].MaxLength = 2;
    txtComb[i].Move(240 + i * 1200, 600, 600, 315);
    udComb[i].Min = 0;
    udComb[i].Max = 99;
    udComb[i].Move(840 + i * 1200, 600, 255, 315);
  }
  cmdOK.Caption = "&OK";
  cmdOK.Default = true;
  cmdOK.Move(840, 1140, 1215, 375);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(2160, 1140, 1215, 375);
}

}  // namespace unit
