#include "link/startup.h"

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_monitor.h"
#include "app/frm_splash.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_table.h"
#include "link/settings_access.h"
#include "sites/frm_log.h"
#include "sites/frm_map.h"
#include "sites/site_database.h"
#include "unit/frm_install.h"

namespace lnk {

namespace {

int RegistryNumber(app::Console& c, const char* key, int default_value) {
  return static_cast<int>(vb::Val(c.GetSetting(key, vb::CStr(default_value))));
}

}  // namespace

bool Main(app::Console& c) {
  // A value that is no number reads as 0: the text dialect.
  c.st.V4Mode = vb::Val(c.GetSetting("V4", "0")) != 0;
  c.st.UnitAddress = 65535;
  c.st.UseTcp = false;
  if (auto error = LoadSettings(c)) {
    c.rt.MsgBox(*error, ui::vbCritical, app_info::kTitle);
    return false;
  }
  c.st.WindowRestored = false;
  auto& splash = c.Get<app::frmSplash>();
  splash.Show();
  splash.Refresh();
  auto& main = c.Instance<app::frmMain>();
  splash.Show();
  main.Load();
  if (!main.IsLoaded()) return false;  // the load handler could not open what it needs
  // The main window appears with its first child window, the map.
  main.Show();
  c.Get<sites::frmMap>().Show();
  splash.Show();
  splash.ZOrder();
  main.tmrStartup.Restart(2000);
  return true;
}

void MainFormLoad(app::Console& c) {
  auto& st = c.st;
  st.EepromImage.clear();
  st.UStatusText.clear();
  st.VStatusText.clear();
  st.LatDegMin = 22;
  st.LatMinutesAtMin = 35;
  st.LatDegMax = 26;
  st.LatMinutesAtMax = 45;
  st.LonDegMin = 50;
  st.LonMinutesAtMin = 28;
  st.LonDegMax = 57;
  st.LonMinutesAtMax = 0;
  st.StopReceive = false;
  st.AutoNext = false;
  st.DebugEcho = false;
  st.ControlsLocked = st.InstallLocked = st.FactoryLocked = true;
  st.ProgressActive = false;
  st.CalloutActive = false;
  st.PrintPending = false;
  st.MapZoomed = false;
  st.FlashOn = false;
  st.Online = SettingValue(c, "chkDemo") == 1;
  st.DirectCable = false;
  st.ResumeUpdate = false;
  st.WriteData.clear();
  st.LogSiteID = -1;
  st.SelectedSiteNum = -1;
  auto opened = sites::OpenSiteDatabase(c.folder.FilePath(std::string(sites::kSiteDatabaseFileName)));
  if (!opened.ok()) {
    // Start-up stops: the main window unloads again and the program ends.
    c.rt.MsgBox(opened.error, ui::vbCritical, app_info::kTitle);
    c.Instance<app::frmMain>().AbandonLoad();
    return;
  }
  c.Db = std::move(opened.db);
  // A read that fails is told, so that no window takes it for an empty table.
  c.Db.SetReadFailureHandler([&c](const std::string& reason) {
    c.rt.MsgBox("The site database could not be read: " + reason + ".", ui::vbExclamation,
                app_info::kTitle);
  });
  c.Instance<app::frmMain>().SetStatusText("Disconnected");
  st.SelectedSiteID = 0;
  st.SettingsTab = 1;
  st.CharDelay = 50;
  st.InitDelay = 200;
  st.CmdSendPos = 0;
  st.CmdState = 0;
  c.cmd.Fill();
}

void RestoreMainWindow(app::Console& c) {
  c.Get<unit::frmInstall>().Hide();
  c.Get<sites::frmLog>().Hide();
  c.Get<app::frmMonitor>().Hide();
  c.Unload<app::frmSplash>();
  auto& main = c.Get<app::frmMain>();
  auto& map = c.Get<sites::frmMap>();
  main.WindowState = ui::vbNormal;
  map.WindowState = ui::vbNormal;
  main.Left = RegistryNumber(c, "MainLeft", 1000);
  main.Top = RegistryNumber(c, "MainTop", 1000);
  main.Width = RegistryNumber(c, "MainWidth", 6500);
  c.st.WindowRestored = true;
  main.Height = RegistryNumber(c, "MainHeight", 6500);
  if (SettingValue(c, "chkAutoCallout") == 1) main.tmrCallout.Enabled = true;
  c.cmd.Cmd[kModemInit] = SettingText(c, "ModemInit") + "\r";
  map.Hide();
}

}  // namespace lnk
