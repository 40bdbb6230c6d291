// The modem selection: one of the modems the machine store lists (or
// "Default"), and the initialisation string the console sends to it, saved
// as the settings "ModemType" and "ModemInit" for the next start.
#pragma once

#include <array>
#include <string>

#include "app/modem_list.h"
#include "ui/controls.h"

namespace app {

class Console;

class frmSelectModem : public ui::Form {
 public:
  explicit frmSelectModem(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::ComboBox cmbModems{*this, "cmbModems"};
  ui::Label Label2{*this, "Label2"};
  ui::TextBox txtInit{*this, "txtInit"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

  // Entry n belongs to the list item whose ItemData is n.
  std::array<std::string, kInitTableSize> InitStrings;

  void ListModems();
  void cmbModems_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

 protected:
  void Design() override;
  void Form_Load() override;

 private:
  Console& c_;
};

}  // namespace app
