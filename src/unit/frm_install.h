// The installation screen: five pages (Factory, Install, Controls, Memory,
// Status) with the unit's parameter rows, its live status and the buttons
// and option pairs that send single commands to the connected unit.
//
// The window is assembled from parts, each in its own files: the pages, the
// live status fields, the parameter rows, and (here) the command buttons and
// option pairs of the screen.
#pragma once

#include "ui/controls.h"
#include "unit/install_pages.h"
#include "unit/install_parameter_controls.h"
#include "unit/install_status_controls.h"

namespace app {
class Console;
}

namespace unit {

class frmInstall : public ui::Form,
                   public InstallPages,
                   public InstallStatusControls,
                   public InstallParameterControls {
 public:
  explicit frmInstall(app::Console& c);

  // Unit commands of the screen and the window's own buttons.
  ui::CommandButton cmdClock{*this, "cmdClock"};
  ui::CommandButton cmdEqualize{*this, "cmdEqualize"};
  ui::CommandButton cmdReset{*this, "cmdReset"};
  ui::CommandButton cmdResetAH{*this, "cmdResetAH"};
  ui::CommandButton cmdRi{*this, "cmdRi"};
  ui::CommandButton cmdRj{*this, "cmdRj"};
  ui::CommandButton cmdChangeInit{*this, "cmdChangeInit"};
  ui::TextBox txtModemInit{*this, "txtModemInit"};
  ui::CommandButton cmdRefresh{*this, "cmdRefresh"};
  ui::CommandButton cmdRefresh2{*this, "cmdRefresh2"};
  ui::CommandButton cmdAddress{*this, "cmdAddress"};
  ui::CommandButton cmdInit{*this, "cmdInit"};
  ui::CommandButton cmdDisconnect{*this, "cmdDisconnect"};
  ui::CommandButton cmdSavePos{*this, "cmdSavePos"};
  ui::CommandButton cmdClose{*this, "cmdClose"};
  ui::CommandButton cmdLock{*this, "cmdLock"};
  ui::CommandButton cmdPrint{*this, "cmdPrint"};
  ui::ControlArray<ui::OptionButton> optAC{*this, "optAC"};
  ui::ControlArray<ui::OptionButton> optCallout{*this, "optCallout"};
  ui::ControlArray<ui::OptionButton> optNOTMode{*this, "optNOTMode"};
  ui::ControlArray<ui::OptionButton> optLD1T{*this, "optLD1T"};
  ui::ControlArray<ui::OptionButton> optEqualization{*this, "optEqualization"};
  ui::Image imgAC{*this, "imgAC"};
  ui::Image imgCallout{*this, "imgCallout"};
  ui::Image imgNOTMode{*this, "imgNOTMode"};
  ui::Image imgLd1T{*this, "imgLd1T"};
  ui::Image imgEqualization{*this, "imgEqualization"};

 protected:
  void Design() override;

 private:
  void DesignCommands();
  app::Console& c_;
};

}  // namespace unit
