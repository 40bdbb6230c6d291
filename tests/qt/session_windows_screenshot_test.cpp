// Pictures of the online window on each panel and of the small session
// windows, with sample values, for people to look at (artifacts/screens).
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QWidget>
#include <string>

#include "app/console.h"
#include "app/frm_about.h"
#include "app/frm_alarm.h"
#include "app/frm_establish.h"
#include "app/frm_get_log.h"
#include "app/frm_help.h"
#include "app/frm_message.h"
#include "app/frm_monitor.h"
#include "app/frm_prog_bar.h"
#include "app/frm_progress.h"
#include "app/frm_readout.h"
#include "app/frm_send_progress.h"
#include "app/frm_splash.h"
#include "console_harness.h"
#include "link/settings_access.h"
#include "link/status_parsers.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "qt_test_support.h"
#include "temp_folder.h"
#include "unit/frm_install.h"

#include "screenshot_support.h"

namespace qttest {
namespace {



void Shoot(qtui::QtRuntime& rt, ui::Form& form, const char* name) { SaveWindowShot(rt, form, name); }

TEST(SessionWindowsScreenshot, OnlineWindowOnEachPanel) {
  OfflineQtConsole q;
  app::Console& c = q.console;
  auto& online = c.Get<app::frmProgress>();
  online.Caption = "North Ridge";
  online.txtName.Text = "1234(North Ridge)";
  online.txtStatus.Text = "Connected";
  online.txtLog.Text =
      "Session start: 02/03/2026 10:00:00\r\nQuerying modem.... Dialing 5550123\r\n"
      "Connect 9600\r\nRetrieving status...\r\nRetrieving EEPROM data...\r\n";
  c.param.FirmwareVersion = 32116;
  c.Get<unit::frmInstall>().txtProp[25].Text = "200";
  c.st.RxBuffer = "U 26/03/02 5 10:04:07 1 5124 183 67 25 31 16 32 0";
  lnk::ParseUReply(c);
  c.st.RxBuffer = "V 0 0 1 0 0 12550 4830 2210";
  lnk::ParseVReply(c);

  const char* names[app::kPanelCount] = {"online_terminal", "online_pv", "online_load",
                                         "online_battery", "online_site"};
  for (int panel = 0; panel < app::kPanelCount; ++panel) {
    online.optDisplay[panel].Value = true;
    Shoot(q.rt, online, names[panel]);
  }
}

TEST(SessionWindowsScreenshot, SmallWindows) {
  OfflineQtConsole q;
  app::Console& c = q.console;
  Shoot(q.rt, c.Get<app::frmSplash>(), "splash");
  Shoot(q.rt, c.Get<app::frmAbout>(), "about");
  Shoot(q.rt, c.Get<app::frmHelp>(), "instructions");
  Shoot(q.rt, c.Get<app::frmEstablish>(), "establish");

  auto& monitor = c.Get<app::frmMonitor>();
  monitor.ProgressBar1.Max = 1690;
  monitor.ProgressBar1.Value = 700;
  Shoot(q.rt, monitor, "monitor");

  auto& readout = c.Get<app::frmReadout>();
  readout.lblReadout.Caption = "Attempting network connection...";
  Shoot(q.rt, readout, "readout");

  auto& send = c.Get<app::frmSendProgress>();
  send.ProgressBar1.Max = 29;
  send.ProgressBar1.Value = 12;
  Shoot(q.rt, send, "send_progress");

  Shoot(q.rt, c.Get<app::frmGetLog>(), "get_log");
  Shoot(q.rt, c.Get<app::frmMessage>(), "message");

  auto& bar = c.Get<app::frmProgBar>();
  bar.pbProgress.Value = 120;
  Shoot(q.rt, bar, "prog_bar");

  auto& alarm = c.NewInstance<app::frmAlarm>();
  alarm.Show();
  alarm.txtSite.Text = "12  (North Ridge)";
  alarm.txtDate.Text = "03 / 02";
  alarm.txtTime.Text = "10 : 04";
  alarm.lstAlarms.AddItem("Door Open");
  alarm.lstAlarms.AddItem("LVA");
  Shoot(q.rt, alarm, "alarm");
}

TEST(SessionWindowsScreenshot, InstallationStatusPage) {
  OfflineQtConsole q;
  app::Console& c = q.console;
  auto& inst = c.Get<unit::frmInstall>();
  c.param.FirmwareVersion = 40100;
  c.st.RxBuffer = "U 26/03/02 5 10:04:07 1 5124 1830 670 25 31 16 32 0 8550";
  lnk::ParseUReply(c);
  c.st.RxBuffer = "V 0 0 1 0 0 12550 4830 2210";
  lnk::ParseVReply(c);
  for (auto& [index, page] : inst.fInstall) page->Visible = index == unit::kPageStatus;
  inst.Caption = "Status";
  Shoot(q.rt, inst, "install_status_fields");
}

}  // namespace
}  // namespace qttest
