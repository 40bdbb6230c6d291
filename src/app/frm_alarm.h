// One alarm report of a calling unit: its site, date, time and the alarms it
// reports. Every report opens a window of its own.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

class frmAlarm : public ui::Form {
 public:
  explicit frmAlarm(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::Label Label2{*this, "Label2"};
  ui::TextBox txtSite{*this, "txtSite"};
  ui::Label Label3{*this, "Label3"};
  ui::TextBox txtDate{*this, "txtDate"};
  ui::Label Label4{*this, "Label4"};
  ui::TextBox txtTime{*this, "txtTime"};
  ui::Label Label5{*this, "Label5"};
  ui::ListBox lstAlarms{*this, "lstAlarms"};
  ui::CommandButton cmdClose{*this, "cmdClose"};

 protected:
  void Design() override;

 private:
  void cmdClose_Click();
};

}  // namespace app
