// The parameter rows of the installation screen: the control arrays udProp,
// txtProp, cmdProp and lblProp indexed by parameter address (the name labels
// by label number), the Memory page's grid, the battery capacity editor, and
// the captions and boxes that the loading of a parameter image relabels,
// shows or hides. Every row comes from the parameter table.
#pragma once

#include <string>

#include "ui/controls.h"
#include "unit/install_pages.h"

namespace app {
class Console;
}

namespace unit {

class frmInstall;
struct ParameterRow;

struct InstallParameterControls {
 private:
  ui::Form& param_form_;  // declared first: the controls below are built on it
  InstallPages& param_pages_;
  app::Console* param_console_ = nullptr;  // known from the first design step on

 public:
  InstallParameterControls(ui::Form& f, InstallPages& pages);

  // One element per parameter address of the table.
  ui::ControlArray<ui::UpDown> udProp{param_form_, "udProp"};
  ui::ControlArray<ui::TextBox> txtProp{param_form_, "txtProp"};
  ui::ControlArray<ui::CommandButton> cmdProp{param_form_, "cmdProp"};
  ui::ControlArray<ui::Label> lblProp{param_form_, "lblProp"};  // by label number
  ui::ControlArray<ui::Label> nlblProp{param_form_, "nlblProp"};  // block captions
  ui::ControlArray<ui::Label> hlblProp{param_form_, "hlblProp"};  // Memory column heads

  // Battery capacity in hundreds (0 to 654) and units (0 to 99, wrapping).
  ui::UpDown udAH1{param_form_, "udAH1"};
  ui::UpDown udAH2{param_form_, "udAH2"};

  ui::Label Label19{param_form_, "Label19"};  // the unit's modem init string
  ui::Label Label27{param_form_, "Label27"};  // auxiliary relay block: Generator, CP, CEMF
  ui::Label Label92{param_form_, "Label92"};  // Memory page: Gen Hours
  ui::Label Label95{param_form_, "Label95"};  // Memory page: its Time caption
  ui::ControlArray<ui::Label> lblRelay{param_form_, "lblRelay"};  // 17: the GEN lamp's name

  ui::TextBox txtMaxTemp{param_form_, "txtMaxTemp"};
  ui::TextBox txtMinTemp{param_form_, "txtMinTemp"};
  ui::TextBox txtNumInits{param_form_, "txtNumInits"};
  ui::Label lblMaxTemp{param_form_, "lblMaxTemp"};
  ui::Label lblMinTemp{param_form_, "lblMinTemp"};
  ui::Label lblNumInits{param_form_, "lblNumInits"};
  ui::TextBox txtEqMode{param_form_, "txtEqMode"};  // Controls page: the equalise mode
  ui::Label lblEqMode{param_form_, "lblEqMode"};
  ui::Image imgFault1{param_form_, "imgFault1"};    // Status page: the fault lamp

  // Shows the row's raw value in engineering form by the row's type word
  // (read at each call). Runs on every change of udProp(Index); the loading
  // code also calls it directly.
  void udProp_Change(int Index);
  // The operator clicked an arrow: the send button is offered while the
  // value differs from what the unit last had.
  void udProp_DownClick(int Index);
  void udProp_UpClick(int Index);

 protected:
  // Design state of every row (captions, tags, ranges, values, visibility,
  // places) and the binding of the rows' events; runs at every load.
  void DesignParameterRows(app::Console& c);

 private:
  app::Console& Console();
  frmInstall& Screen();
  int ValueOf(int address);
  void SetRowText(int address, const std::string& text);
  std::string CurrentText(int raw, int zero_address, int cal_address, int shunt_address);
  void OfferSend(int index);

  void DesignRow(const ParameterRow& row);
  void DesignCaptions();
  void BindRowEvents();
  void PlaceRows();
  void PlaceMemoryPage();
  void PlaceExtras();
};

}  // namespace unit
