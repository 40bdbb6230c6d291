#include "app/frm_main.h"

#include "app/console.h"
#include "app/frm_monitor.h"
#include "app/frm_splash.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/receive_loop.h"
#include "link/settings_access.h"
#include "link/startup.h"

namespace app {

frmMain::frmMain(Console& c) : ui::Form(c.rt, "frmMain"), c_(c) {
  SetMDIForm();
  BindEvents();
}

void frmMain::Design() {
  Caption = "VKX-4700";
  Move(1000, 1000, 6500, 6500);
  cmdChange.Caption = "Change Unit address";
  cmdChange.Visible = false;
  DesignMenus();
  DesignToolbar();
  tmrCallout.Interval = 60000;
  tmrFlash.Interval = 1000;
  tmrFlash.Enabled = true;
}

void frmMain::DesignMenus() {
  struct Entry {
    ui::Menu& menu;
    const char* caption;
    bool shown;
  };
  const Entry entries[] = {
      {mnuFile, "&File", true},
      {mnuFactoryInit, "&Factory Initialize", false},
      {mnuDownloadLog, "&Download Log File", false},
      {mnuResetDatalog, "&Reset Datalog", false},
      {mnuFileBreak1, "-", false},
      {mnuSaveStatus, "&Save Status As...", true},
      {mnuStatusLoad, "&Load Status", true},
      {mnuFileSelect, "Select Map", true},
      {mnuFileBreak2, "-", true},
      {mnuFileSaveBulk, "Save Bulk Data", true},
      {mnuFileUploadBulk, "Upload Bulk Data", true},
      {mnuFileBreak3, "-", true},
      {mnuFileExit, "E&xit", true},
      {mnuOptions, "&Options", true},
      {mnuOptionsAnswer, "&Auto Answer", false},
      {mnuOptionsB1, "-", false},
      {mnuSelectModem, "Select &Modem", true},
      {mnuOptAddress, "Set Unit Address", false},
      {mnuSettings, "&Settings", true},
      {mnuConnection, "&Connection", true},
      {mnuDirect, "&Direct Cable Connection", true},
      {mnuModem, "&Modem Connection", true},
      {mnuConnNet, "Network Connection", true},
      {mnuTerminal, "&Terminal Window", true},
      {mnuConnectB1, "-", true},
      {mnuDisconnect, "Disconnect", true},
      {mnuWindow, "&Window", false},
      {mnuHelp, "&Help", true},
      {mnuInstructions, "&Instructions", true},
      {mnuHelpAbout, "&About", true},
      {mnuTest, "&Test", false},
      {mnuMapPopup, "Site", true},
      {mnuAddSite, "&New Site", true},
      {mnuRemoveSite, "&Remove Site", true},
      {mnuMapb1, "-", true},
      {mnuSiteList, "&Site List", true},
      {mnuMapb2, "-", true},
      {mnuActiveAlarms, "&Active Alarms", false},
      {mnuLastLog, "&Last Connection Log", true},
      {mnuMapBreak3, "-", true},
      {mnuSiteProps, "&Properties", true},
  };
  for (const Entry& e : entries) {
    e.menu.Caption = e.caption;
    e.menu.Visible = e.shown;
    e.menu.Checked = false;
  }
}

void frmMain::DesignToolbar() {
  if (tbToolBar.ButtonCount() > 0) return;  // buttons are design data, made once
  struct Button {
    const char* key;
    const char* caption;
    const char* tip;
    const char* tag;
    const char* image;
    int style;
  };
  const Button buttons[] = {
      {"Connect", "Connect", "Site Info", "0", "Connect", ui::tbrDefault},
      {"Site", "Si&te", "Site Info", "Site", "Site", ui::tbrDefault},
      {"", "", "", "", "", ui::tbrSeparator},
      {"Status", "&Status", "Status", "0", "StatusL", ui::tbrDefault},
      {"Memory", "M&emory", "Memory", "0", "Memory", ui::tbrDefault},
      {"Controls", "&Controls", "Controls", "0", "InstallL", ui::tbrDefault},
      {"Install", "&Install", "Install", "0", "InstallL", ui::tbrDefault},
      {"Factory", "F&actory", "Factory", "0", "FactoryL", ui::tbrDefault},
      {"", "", "", "", "", ui::tbrSeparator},
      {"Select", "Select Map", "", "", "Log", ui::tbrDefault},
      {"Map", "Map", "", "", "Map", ui::tbrDefault},
      {"Log", "&Log", "Log", "0", "", ui::tbrDefault},
      {"", "", "", "", "", ui::tbrSeparator},
      {"Magnify", "&Magnify", "", "", "Magnify", ui::tbrDefault},
  };
  for (const Button& b : buttons) {
    ui::ToolbarButton& button = tbToolBar.AddButton(b.key, b.caption, b.style, b.image);
    button.ToolTipText = b.tip;
    button.Tag = b.tag;
  }
}

void frmMain::BindEvents() {
  tmrStartup.Tick = [this] { tmrStartup_Timer(); };
  tmrOut.Tick = [this] { lnk::OnCharTimer(c_); };
  tmrInit.Tick = [this] { lnk::OnInitTimer(c_); };
  tmrError.Tick = [this] { lnk::OnReplyTimeoutTimer(c_); };
  tmrIn.Tick = [this] { lnk::OnInTimer(c_); };
  tmrUpdate.Tick = [this] { lnk::OnUpdateTimer(c_); };
  c_.tcpClient.DataArrival = [this](long) { lnk::OnTcpDataArrival(c_); };
}

void frmMain::SetStatusText(const std::string& text) { sbStatusBar.Panels(1).Text = text; }

std::string frmMain::StatusText() { return sbStatusBar.Panels(1).Text(); }

void frmMain::MDIForm_Load() { lnk::MainFormLoad(c_); }

void frmMain::tmrStartup_Timer() {
  tmrStartup.Enabled = false;
  lnk::RestoreMainWindow(c_);
}

void frmMain::MDIForm_Unload(int& /*cancel*/) {
  tmrFlash.Enabled = false;
  if (c_.MSComm1.PortOpen()) c_.MSComm1.SetPortOpen(false);
  c_.st.StopReceive = true;
  if (auto error = lnk::SaveSettings(c_)) c_.rt.MsgBox(*error, ui::vbCritical, "VKX-4700");
  c_.Unload<frmSplash>();
  c_.Unload<frmMonitor>();
  if (WindowState() != ui::vbMinimized) {
    c_.SaveSetting("MainLeft", vb::CStr(Left()));
    c_.SaveSetting("MainTop", vb::CStr(Top()));
    c_.SaveSetting("MainWidth", vb::CStr(Width()));
    c_.SaveSetting("MainHeight", vb::CStr(Height()));
  }
  // Every timer stops with the program.
  for (ui::Timer* t : {&tmrFlash, &tmrCallout, &tmrStartup, &tmrInit, &tmrOut, &tmrIn, &tmrError,
                       &tmrUpdate})
    t->Enabled = false;
  c_.rt.Quit();
}

}  // namespace app
