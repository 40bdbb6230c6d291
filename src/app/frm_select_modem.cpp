#include "app/frm_select_modem.h"

#include "app/console.h"
#include "link/settings_access.h"

namespace app {

frmSelectModem::frmSelectModem(Console& c) : ui::Form(c.rt, "frmSelectModem"), c_(c) {
  cmbModems.Click = [this] { cmbModems_Click(); };
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmSelectModem::Design() {
  Caption = "Modems";
  BorderStyle = ui::vbFixedDialog;
  Move(2400, 2400, 5400, 2640);
  Label1.Caption = "Available modems:";
  Label1.Move(240, 240, 4800, 255);
  cmbModems.Clear();
  cmbModems.Text = "";
  cmbModems.Move(240, 500, 4800, 315);
  Label2.Caption = "Modem initialization string:";
  Label2.Move(240, 960, 4800, 255);
  txtInit.Text = "";
  txtInit.Move(240, 1220, 4800, 315);
  cmdOK.Caption = "&OK";
  cmdOK.Default = true;
  cmdOK.Move(2400, 1740, 1215, 375);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(3825, 1740, 1215, 375);
  InitStrings.fill("");
}

void frmSelectModem::Form_Load() {
  ListModems();
  cmbModems.Text = lnk::SettingText(c_, "ModemType");
  txtInit.Text = lnk::SettingText(c_, "ModemInit");
}

void frmSelectModem::ListModems() {
  for (const ModemEntry& modem : FindModems(c_.registry)) {
    cmbModems.AddItem(modem.name);
    cmbModems.SetItemData(cmbModems.NewIndex(), modem.data);
    InitStrings[static_cast<size_t>(modem.data)] = modem.init;
  }
}

void frmSelectModem::cmbModems_Click() {
  const int chosen = cmbModems.ListIndex();
  if (chosen < 0) return;
  txtInit.Text = InitStrings[static_cast<size_t>(cmbModems.ItemData(chosen))];
}

void frmSelectModem::cmdOK_Click() {
  const auto save_text = [this](const char* name, const std::string& text) {
    lnk::FindSetting(c_, name);
    c_.settings.Current().SettingText = text;
    c_.settings.SettingTextToNum();
  };
  save_text("ModemType", cmbModems.Text());
  save_text("ModemInit", txtInit.Text());
  c_.rt.MsgBox("Please restart the program for these settings to take effect.", ui::vbOKOnly,
               "Restart");
  Unload();
}

void frmSelectModem::cmdCancel_Click() { Unload(); }

}  // namespace app
