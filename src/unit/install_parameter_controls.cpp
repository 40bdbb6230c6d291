#include "unit/install_parameter_controls.h"

#include <stdexcept>
#include <string>

#include "unit/frm_install.h"
#include "unit/parameter_table.h"

namespace unit {

namespace {

// Password rows show this while their level is locked.
bool IsPasswordType(std::string_view type) {
  return type == "INSTALLPASS" || type == "CONTROLSPASS";
}

}  // namespace

InstallParameterControls::InstallParameterControls(ui::Form& f, InstallPages& pages)
    : param_form_(f), param_pages_(pages) {
  for (const ParameterRow& row : ParameterRows()) {
    ui::Frame* page = &param_pages_.fInstall[row.page];
    udProp.Load(row.address, page);
    if (row.text != RowText::None) txtProp.Load(row.address, page);
    if (row.send != SendKind::None) cmdProp.Load(row.address, page);
    if (row.label >= 0) lblProp.Load(row.label, page);
  }
  lblRelay.Load(17, &param_pages_.fInstall[kPageStatus]);
}

app::Console& InstallParameterControls::Console() {
  if (param_console_ == nullptr) throw std::logic_error("frmInstall used before its first load");
  return *param_console_;
}

frmInstall& InstallParameterControls::Screen() { return static_cast<frmInstall&>(param_form_); }

void InstallParameterControls::DesignParameterRows(app::Console& c) {
  param_console_ = &c;
  for (const ParameterRow& row : ParameterRows()) DesignRow(row);
  DesignCaptions();
  PlaceRows();
  PlaceMemoryPage();
  PlaceExtras();
  BindRowEvents();
}

void InstallParameterControls::DesignRow(const ParameterRow& row) {
  const int a = row.address;
  ui::UpDown& ud = udProp[a];
  ud.Min = row.min;
  ud.Max = row.max;
  ud.Increment = 1;
  ud.Tag = std::string(row.type);
  ud.Value = row.start_value;
  ud.Visible = row.updown_shown;
  ud.Enabled = false;  // every level is locked until its password is given

  if (ui::TextBox* box = txtProp.Find(a)) {
    box->Text = IsPasswordType(row.type) ? "??" : "";
    box->Tag = row.access != 0 ? std::string(1, row.access) : std::string();
    box->Locked = !row.typing_allowed;
    box->Visible = row.text == RowText::Shown;
    box->Alignment = ui::vbRightJustify;
  }
  if (ui::CommandButton* send = cmdProp.Find(a)) {
    send->Caption = "S";
    send->Tag = std::string(SendTag(row.send));
    send->Visible = false;
  }
  if (row.label >= 0) {
    ui::Label& name = lblProp[row.label];
    name.Caption = std::string(row.caption);
    name.Visible = row.column != 0 && (row.updown_shown || row.text != RowText::Hidden);
  }
}

void InstallParameterControls::DesignCaptions() {
  Label19.Caption = "Unit modem init string:";
  Label27.Caption = "Generator";
  Label27.FontBold = true;
  Label92.Caption = "Gen Hours";
  Label95.Caption = "Time";
  Label95.FontBold = true;
  lblRelay[17].Caption = "GEN";
  for (ui::Label* l : {&Label19, &Label27, &Label92, &Label95, &lblRelay[17]}) l->Visible = true;

  for (ui::TextBox* box : {&txtMaxTemp, &txtMinTemp, &txtNumInits, &txtEqMode}) {
    box->Text = "";
    box->Locked = true;
    box->Alignment = ui::vbRightJustify;
  }
  lblMaxTemp.Caption = "Max Temp";
  lblMinTemp.Caption = "Min Temp";
  lblNumInits.Caption = "# Program Resets";
  lblEqMode.Caption = "Equalize Mode";
  imgFault1.Picture = ui::Picture::Named("RedOff");
  imgFault1.Stretch = true;

  udAH1.Min = 0;
  udAH1.Max = 654;
  udAH1.Value = 0;
  udAH2.Min = 0;
  udAH2.Max = 99;
  udAH2.Wrap = true;
  udAH2.Value = 0;
  udAH1.Enabled = false;
  udAH2.Enabled = false;
}

void InstallParameterControls::BindRowEvents() {
  for (auto& [address, ud] : udProp) {
    const int a = address;
    ud->Change = [this, a] { udProp_Change(a); };
    ud->UpClick = [this, a] { udProp_UpClick(a); };
    ud->DownClick = [this, a] { udProp_DownClick(a); };
  }
}

}  // namespace unit
