#include "unit/model_rows.h"

#include "app/console.h"
#include "unit/frm_install.h"

namespace unit {

void SetParameterRowState(app::Console& c, int labelRow, int address, bool state) {
  frmInstall& f = c.Get<frmInstall>();
  if (ui::Label* name = f.lblProp.Find(labelRow)) name->Visible = state;
  if (ui::TextBox* box = f.txtProp.Find(address)) box->Visible = state;
  if (ui::UpDown* ud = f.udProp.Find(address)) ud->Visible = state;
}

void ShowV4ParameterRows(app::Console& c) {
  frmInstall& f = c.Get<frmInstall>();
  const bool v4 = c.st.V4Mode;
  SetParameterRowState(c, 267, 267, v4);  // Offset
  SetParameterRowState(c, 274, 274, v4);  // LVD Delay
  SetParameterRowState(c, 8, 14, !v4);    // EQU Hours
  f.Label19.Visible = !v4;
  f.txtModemInit.Visible = !v4;
  f.cmdChangeInit.Visible = !v4;
  // Only a V4 unit takes a new address, and only the Factory level gives it.
  f.cmdAddress.Enabled = v4 && !c.st.FactoryLocked;
  f.cmdClock.Visible = v4;
}

void ShowModelRows(app::Console& c, bool flag) {
  frmInstall& f = c.Get<frmInstall>();
  const bool shown = !flag;
  f.Label27.Visible = shown;
  SetParameterRowState(c, 18, 38, shown);
  SetParameterRowState(c, 19, 40, shown);
  SetParameterRowState(c, 20, 39, shown);
  f.Label92.Visible = shown;
  f.Label95.Visible = shown;
  for (int address : {213, 169, 171}) f.txtProp[address].Visible = shown;
  f.lblRelay[17].Visible = shown;
  f.imgGEN.Visible = shown;
}

}  // namespace unit
