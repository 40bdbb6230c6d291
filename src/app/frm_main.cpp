#include "app/frm_main.h"

#include <functional>
#include <set>
#include <utility>

#include "app/console.h"
#include "app/frm_about.h"
#include "app/frm_connection.h"
#include "app/frm_monitor.h"
#include "app/frm_splash.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_gate.h"
#include "link/command_sender.h"
#include "link/modem_call.h"
#include "link/receive_loop.h"
#include "link/settings_access.h"
#include "link/startup.h"
#include "sites/frm_map.h"

namespace app {

frmMain::frmMain(Console& c) : ui::Form(c.rt, "frmMain"), c_(c) {
  SetMDIForm();
  BindEvents();
}

void frmMain::Design() {
  Caption = "VKX-4700";
  Move(1000, 1000, 6500, 6500);
  cmdChange.Caption = "Change Unit address";
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
  tmrFlash.Tick = [this] { c_.Get<sites::frmMap>().DrawSites(); };
  tmrCallout.Tick = [this] { tmrCallout_Timer(); };
  tmrCalloutDial.Tick = [this] { tmrCalloutDial_Timer(); };
  c_.tcpClient.DataArrival = [this](long) { lnk::OnTcpDataArrival(c_); };
  c_.MSComm1.DeviceLost = [this] { lnk::SerialLineLost(c_); };

  MouseDown = [this](int button, int shift, double x, double y) {
    MDIForm_MouseDown(button, shift, x, y);
  };
  tbToolBar.ButtonClick = [this](ui::ToolbarButton& button) { tbToolBar_ButtonClick(button); };
  cmdChange.Click = [this] { cmdChange_Click(); };
  const std::pair<ui::Menu*, void (frmMain::*)()> handlers[] = {
      {&mnuFileExit, &frmMain::mnuFileExit_Click},
      {&mnuResetDatalog, &frmMain::mnuResetDatalog_Click},
      {&mnuRemoveSite, &frmMain::mnuRemoveSite_Click},
      {&mnuInstructions, &frmMain::mnuInstructions_Click},
      {&mnuHelpAbout, &frmMain::mnuHelpAbout_Click},
      {&mnuTerminal, &frmMain::mnuTerminal_Click},
      {&mnuModem, &frmMain::mnuModem_Click},
      {&mnuDirect, &frmMain::mnuDirect_Click},
      {&mnuConnNet, &frmMain::mnuConnNet_Click},
      {&mnuDisconnect, &frmMain::mnuDisconnect_Click},
      {&mnuOptionsAnswer, &frmMain::mnuOptionsAnswer_Click},
      {&mnuOptAddress, &frmMain::mnuOptAddress_Click},
      {&mnuSettings, &frmMain::mnuSettings_Click},
      {&mnuSelectModem, &frmMain::mnuSelectModem_Click},
      {&mnuSaveStatus, &frmMain::mnuSaveStatus_Click},
      {&mnuStatusLoad, &frmMain::mnuStatusLoad_Click},
      {&mnuFileSaveBulk, &frmMain::mnuFileSaveBulk_Click},
      {&mnuFileUploadBulk, &frmMain::mnuFileUploadBulk_Click},
      {&mnuFactoryInit, &frmMain::mnuFactoryInit_Click},
      {&mnuDownloadLog, &frmMain::mnuDownloadLog_Click},
      {&mnuActiveAlarms, &frmMain::mnuActiveAlarms_Click},
      {&mnuLastLog, &frmMain::mnuLastLog_Click},
      {&mnuAddSite, &frmMain::mnuAddSite_Click},
      {&mnuSiteList, &frmMain::mnuSiteList_Click},
      {&mnuSiteProps, &frmMain::mnuSiteProps_Click},
      {&mnuFileSelect, &frmMain::mnuFileSelect_Click},
  };
  // The entries that start a unit command go through the link's gate.
  const std::set<const ui::Menu*> start_commands = {
      &mnuResetDatalog, &mnuOptAddress,  &mnuSaveStatus, &mnuFileSaveBulk,
      &mnuFileUploadBulk, &mnuFactoryInit, &mnuDownloadLog};
  for (const auto& [menu, handler] : handlers) {
    std::function<void()> run = [this, h = handler] { (this->*h)(); };
    menu->Click = start_commands.contains(menu) ? lnk::Gated(c_, std::move(run)) : std::move(run);
  }
}

void frmMain::SetStatusText(const std::string& text) { sbStatusBar.Panels(1).Text = text; }

std::string frmMain::StatusText() { return sbStatusBar.Panels(1).Text(); }

void frmMain::MDIForm_Load() { lnk::MainFormLoad(c_); }

void frmMain::tmrStartup_Timer() {
  tmrStartup.Enabled = false;
  lnk::RestoreMainWindow(c_);
}

// The map fills the frame below the toolbar, once the saved rectangle has
// been applied, unless the operator minimised or maximised it.
void frmMain::MDIForm_Resize() {
  if (!c_.st.WindowRestored) return;
  auto& map = c_.Get<sites::frmMap>();
  if (map.WindowState() != ui::vbNormal) return;
  if (Width() > 120) map.Width = Width() - 210;
  if (Height() > 1920) map.Height = Height() - 2185;
  map.Left = 0;
  map.Top = 0;
}

// A right click on the empty frame opens the site directory, modeless.
void frmMain::MDIForm_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
  if (Button == ui::vbRightButton) c_.Get<frmConnection>().Show();
}

void frmMain::MDIForm_Unload(int& /*cancel*/) {
  tmrFlash.Enabled = false;
  if (c_.MSComm1.PortOpen()) c_.MSComm1.SetPortOpen(false);
  // The report's document: what the printer still holds of one it ended,
  // and one a template left open, are dropped.
  if (c_.printer != nullptr && (c_.st.PrintPending || c_.printer->DocumentOpen()))
    c_.printer->KillDoc();
  c_.st.StopReceive = true;
  if (auto error = lnk::SaveSettings(c_)) c_.rt.MsgBox(*error, ui::vbCritical, app_info::kTitle);
  c_.Unload<frmAbout>();
  c_.Unload<frmSplash>();
  c_.Unload<frmMonitor>();
  c_.Unload<frmConnection>();
  if (WindowState() != ui::vbMinimized) {
    c_.SaveSetting("MainLeft", vb::CStr(Left()));
    c_.SaveSetting("MainTop", vb::CStr(Top()));
    c_.SaveSetting("MainWidth", vb::CStr(Width()));
    c_.SaveSetting("MainHeight", vb::CStr(Height()));
  }
  EndProgram();
}

// The program ends at once: no window's handler runs any more, whatever the
// windows still hold; the receive loops still on the stack return on
// StopReceive.
void frmMain::EndProgram() {
  for (ui::Form* form : c_.AllForms())
    for (ui::Control* control : form->Controls())
      if (control->Kind() == ui::ControlKind::Timer) control->Enabled = false;
  c_.tcpClient.Close();
  c_.rt.Quit();
}

}  // namespace app
