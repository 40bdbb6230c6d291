// The installation screen: five pages (Factory, Install, Controls, Memory,
// Status) with the unit's parameter rows, its live status and the buttons
// and option pairs that send single commands to the connected unit.
//
// The window is assembled from parts, each in its own files: the pages, the
// live status fields, the parameter rows, and (here) the command buttons and
// option pairs of the screen.
#pragma once

#include <string>

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
  // Each option pair is its own group, framed with its name.
  ui::Frame fraAC{*this, "fraAC"};
  ui::Frame fraCallout{*this, "fraCallout"};
  ui::Frame fraNOTMode{*this, "fraNOTMode"};
  ui::Frame fraEqualization{*this, "fraEqualization"};
  ui::Frame fraLD1T{*this, "fraLD1T"};

  // ---- unit commands of the screen (install_commands.cpp)
  void cmdEqualize_Click();
  void cmdReset_Click();
  void cmdResetAH_Click();
  void cmdRi_Click();
  void cmdRj_Click();
  void cmdUpdate_Click();
  void cmdRefresh_Click();
  void cmdRefresh2_Click();
  void cmdChangeInit_Click();
  // Option pairs: index 0 writes 0, index 1 writes 1 (nothing is sent while
  // a parameter image is being shown).
  void optAC_Click(int Index);
  void optCallout_Click(int Index);
  void optNOTMode_Click(int Index);
  void optEqualization_Click(int Index);
  void optLD1T_MouseUp(int Index, int Button, int Shift, double X, double Y);

  // ---- the unit's clock (install_clock.cpp)
  void cmdClock_Click();
  void cmdSendDate_Click(int Index);
  void udDate_UpClick(int Index);
  void udDate_DownClick(int Index);

  // ---- the window itself (install_window.cpp)
  void cmdAddress_Click();
  void cmdInit_Click();
  // Prints the installation report (installation_report.h).
  void cmdPrint_Click();
  void cmdDisconnect_Click();
  void cmdClose_Click();
  void cmdSavePos_Click();

  // ---- writing parameter rows back (parameter_writes.cpp)
  void cmdProp_Click(int Index);
  void txtProp_KeyPress(int Index, int& KeyAscii);
  void udAH1_Change();
  void udAH2_Change();
  void udAH1_DownClick();
  void udAH1_UpClick();
  void udAH2_DownClick();
  void udAH2_UpClick();

  // ---- access levels (access_levels.cpp)
  // Locks the level of the page shown; on the Status and Controls pages the
  // button toggles between locking and asking for the combination again.
  void cmdLock_Click();
  // Locks the Controls level (level 2).
  void LockStatus();

  // A lamp is on while it shows the picture of imgGreenOn.
  bool LampOn(const ui::Image& lamp) const;
  void SetLamp(ui::Image& lamp, bool on);

 protected:
  void Design() override;
  void Form_Load() override;
  // The levels may have been locked while the screen was hidden (a hang-up).
  void Form_Activate() override;

 private:
  void DesignCommands();
  void PlaceCommands();
  void BindCommands();
  void BindParameterWrites();
  // A text command from the table: CmdState := state, then SendCommand.
  void TextStart(int state, bool auto_next = false);
  // A V4 packet whose reply the state machine checks and repeats.
  void V4Start(int state, const std::string& payload);
  // The five text option pairs share this: lamp, Cmd(11), send unless a
  // parameter image is being shown.
  void SendOption(ui::ControlArray<ui::OptionButton>& pair, ui::Image& lamp, int address,
                  int Index);
  // An option click the link's gate refused: the pair goes back to its
  // lamp, which shows what the unit was last given.
  void RestoreOption(ui::ControlArray<ui::OptionButton>& pair, const ui::Image& lamp);
  bool restoring_option_ = false;
  // A plain row whose box takes typing takes the typed value into its
  // spinner before it is sent; false (and the operator told) when the text
  // is no whole number within the row's range.
  bool TakeTypedValue(int Index);
  // The S button of the battery capacity after an arrow of udAH1 or udAH2.
  void OfferCapacitySend();
  app::Console& c_;
};

// Called when the unit has acknowledged a write and the link is idle: when
// that write was the equalise request, whose answer does not carry the
// unit's flag, the status is read again (as Update does) so that the lamp
// shows what the unit holds. Nothing for any other write.
void ReadBackEqualisation(app::Console& c);

}  // namespace unit
