// The main window: the multiple-document frame that holds the map and the
// other child windows, and owns the toolbar, the status bar, the eight
// timers of the link and the menu bar. The serial port and the network
// socket it owns live in the console's services (MSComm1, tcpClient).
#pragma once

#include <string>

#include "ui/controls.h"

namespace app {

class Console;

class frmMain : public ui::Form {
 public:
  explicit frmMain(Console& c);

  ui::Toolbar tbToolBar{*this, "tbToolBar"};
  ui::StatusBar sbStatusBar{*this, "sbStatusBar"};
  ui::CommandButton cmdChange{*this, "cmdChange"};

  ui::Timer tmrFlash{*this, "tmrFlash"};
  ui::Timer tmrCallout{*this, "tmrCallout"};
  ui::Timer tmrStartup{*this, "tmrStartup"};
  ui::Timer tmrInit{*this, "tmrInit"};
  ui::Timer tmrOut{*this, "tmrOut"};
  ui::Timer tmrIn{*this, "tmrIn"};
  ui::Timer tmrError{*this, "tmrError"};
  ui::Timer tmrUpdate{*this, "tmrUpdate"};

  // Menu tree in design order.
  ui::Menu mnuFile{*this, "mnuFile"};
  ui::Menu mnuFactoryInit{*this, "mnuFactoryInit", &mnuFile};
  ui::Menu mnuDownloadLog{*this, "mnuDownloadLog", &mnuFile};
  ui::Menu mnuResetDatalog{*this, "mnuResetDatalog", &mnuFile};
  ui::Menu mnuFileBreak1{*this, "mnuFileBreak1", &mnuFile};
  ui::Menu mnuSaveStatus{*this, "mnuSaveStatus", &mnuFile};
  ui::Menu mnuStatusLoad{*this, "mnuStatusLoad", &mnuFile};
  ui::Menu mnuFileSelect{*this, "mnuFileSelect", &mnuFile};
  ui::Menu mnuFileBreak2{*this, "mnuFileBreak2", &mnuFile};
  ui::Menu mnuFileSaveBulk{*this, "mnuFileSaveBulk", &mnuFile};
  ui::Menu mnuFileUploadBulk{*this, "mnuFileUploadBulk", &mnuFile};
  ui::Menu mnuFileBreak3{*this, "mnuFileBreak3", &mnuFile};
  ui::Menu mnuFileExit{*this, "mnuFileExit", &mnuFile};
  ui::Menu mnuOptions{*this, "mnuOptions"};
  ui::Menu mnuOptionsAnswer{*this, "mnuOptionsAnswer", &mnuOptions};
  ui::Menu mnuOptionsB1{*this, "mnuOptionsB1", &mnuOptions};
  ui::Menu mnuSelectModem{*this, "mnuSelectModem", &mnuOptions};
  ui::Menu mnuOptAddress{*this, "mnuOptAddress", &mnuOptions};
  ui::Menu mnuSettings{*this, "mnuSettings", &mnuOptions};
  ui::Menu mnuConnection{*this, "mnuConnection"};
  ui::Menu mnuDirect{*this, "mnuDirect", &mnuConnection};
  ui::Menu mnuModem{*this, "mnuModem", &mnuConnection};
  ui::Menu mnuConnNet{*this, "mnuConnNet", &mnuConnection};
  ui::Menu mnuTerminal{*this, "mnuTerminal", &mnuConnection};
  ui::Menu mnuConnectB1{*this, "mnuConnectB1", &mnuConnection};
  ui::Menu mnuDisconnect{*this, "mnuDisconnect", &mnuConnection};
  ui::Menu mnuWindow{*this, "mnuWindow"};
  ui::Menu mnuHelp{*this, "mnuHelp"};
  ui::Menu mnuInstructions{*this, "mnuInstructions", &mnuHelp};
  ui::Menu mnuHelpAbout{*this, "mnuHelpAbout", &mnuHelp};
  ui::Menu mnuTest{*this, "mnuTest", &mnuHelp};
  ui::Menu mnuMapPopup{*this, "mnuMapPopup"};
  ui::Menu mnuAddSite{*this, "mnuAddSite", &mnuMapPopup};
  ui::Menu mnuRemoveSite{*this, "mnuRemoveSite", &mnuMapPopup};
  ui::Menu mnuMapb1{*this, "mnuMapb1", &mnuMapPopup};
  ui::Menu mnuSiteList{*this, "mnuSiteList", &mnuMapPopup};
  ui::Menu mnuMapb2{*this, "mnuMapb2", &mnuMapPopup};
  ui::Menu mnuActiveAlarms{*this, "mnuActiveAlarms", &mnuMapPopup};
  ui::Menu mnuLastLog{*this, "mnuLastLog", &mnuMapPopup};
  ui::Menu mnuMapBreak3{*this, "mnuMapBreak3", &mnuMapPopup};
  ui::Menu mnuSiteProps{*this, "mnuSiteProps", &mnuMapPopup};

  // The status bar's one text.
  void SetStatusText(const std::string& text);
  std::string StatusText();

  // Start-up: the load handler and the one-shot start-up timer.
  void MDIForm_Load();
  void tmrStartup_Timer();

  // The frame: the map window follows its size; a right click on the empty
  // frame is meant for the site directory.
  void MDIForm_Resize();
  void MDIForm_MouseDown(int Button, int Shift, double X, double Y);
  // Shutdown sequence (the unload handler); never cancels.
  void MDIForm_Unload(int& cancel);

  // Menu entries that act here (the others open windows of their own).
  void mnuFileExit_Click();
  void mnuRemoveSite_Click();
  void mnuResetDatalog_Click();
  void mnuInstructions_Click();
  void mnuHelpAbout_Click();
  void mnuTerminal_Click();
  // False after telling the operator that the entry needs a selected site
  // (first_line says what for).
  bool SiteGuard(const std::string& first_line);
  // False after telling the operator that settings change only offline;
  // true once the serial port is closed and a settings dialog may open.
  bool SettingsGuard();

  // Sites and maps: the site menu's windows and the map catalogue.
  void mnuAddSite_Click();
  void mnuSiteList_Click();
  void mnuSiteProps_Click();
  void mnuFileSelect_Click();

  // The three roads to a unit, hanging up, auto-answer and the unit address.
  void mnuModem_Click();
  void mnuDirect_Click();
  void DirectConnect();
  void mnuConnNet_Click();
  void mnuDisconnect_Click();
  void mnuOptionsAnswer_Click();
  void mnuOptAddress_Click();
  void cmdChange_Click();

  // ---- unit data files and transfers (frm_main_unit_files.cpp)
  void mnuSaveStatus_Click();
  void mnuStatusLoad_Click();
  void mnuFileSaveBulk_Click();
  void mnuFileUploadBulk_Click();
  // Also the installation screen's "Factory Initialize" button.
  void mnuFactoryInit_Click();
  void mnuDownloadLog_Click();

  // ---- alarms, the last connection log and the automatic callout run.
  void mnuActiveAlarms_Click();
  void mnuLastLog_Click();
  // The schedule check, every 60 s while the timer runs: at the set time
  // the run starts with its first site.
  void tmrCallout_Timer();
  // Dials a run's first site when no receive loop runs yet: the loop then
  // entered waits inside this one-shot timer's tick, not inside the
  // schedule's, which a timer's own tick would keep from firing again.
  ui::Timer tmrCalloutDial{*this, "tmrCalloutDial"};
  void tmrCalloutDial_Timer();

  // Opens the network socket to host (the registry's "RemotePort"): about
  // 11 s of waiting at most; sets ConnectFailed when it does not connect.
  void ConnectNetwork(const std::string& host);

  // Settings and modem selection: the dialogs open behind the settings guard.
  void mnuSettings_Click();
  void mnuSelectModem_Click();

  // The toolbar's one click handler.
  void tbToolBar_ButtonClick(ui::ToolbarButton& Button);
  // Opens the Status page of the installation screen (asking for the
  // Controls password when it is locked and a unit is online, unless
  // skip_ask); with force it reopens a page already shown.
  void ShowStatus(bool force, bool skip_ask);
  // Shows page InstallPage of the installation screen alone, at the top.
  void SelectInstallPageOption();
  // Toolbar buttons 4 to 8 (the page buttons) released and not shown.
  void ReleasePageButtons();
  void PressButton(int index);

 protected:
  void Design() override;
  void Form_Load() override { MDIForm_Load(); }
  void Form_Unload(int& cancel) override { MDIForm_Unload(cancel); }
  void Form_Resize() override { MDIForm_Resize(); }

 private:
  void DesignMenus();
  void DesignToolbar();
  void BindEvents();
  // Every timer of every window stopped, the socket closed, the event loop
  // ended.
  void EndProgram();

  // Toolbar keys.
  void ConnectButton_Click(ui::ToolbarButton& button);
  void SiteButton_Click(ui::ToolbarButton& button);
  void PageButton_Click(ui::ToolbarButton& button);
  void MapButton_Click(ui::ToolbarButton& button);
  void LogButton_Click(ui::ToolbarButton& button);
  void MagnifyButton_Click();

  // Data logs and graphs: the key "Graphs", which no design button carries,
  // shows and unloads the graph window.
  void GraphsButton_Click(ui::ToolbarButton& button);
  // The Connect button back to "Connect" after a road was refused.
  void ResetConnectButton();
  // The page alone at the top, the screen and its lock button shown, while
  // the level stays locked.
  void ShowLockedPage();

  // The network road after its address is known; the session that every
  // direct or network road runs once the link is up.
  void StartNetworkSession();
  void RunConnectedSequence(bool over_network);

  Console& c_;
  bool callout_waiting_ = false;  // a run is due and waits for the link to be free
};

}  // namespace app
