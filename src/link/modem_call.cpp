#include "link/modem_call.h"

#include <optional>
#include <string>

#include "app/callout_run.h"
#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "app/frm_readout.h"
#include "app/session_log.h"
#include "app/session_transfers.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_abandon.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/delay.h"
#include "link/line_values.h"
#include "link/receive_loop.h"
#include "link/reply_handlers.h"
#include "link/serial_open.h"
#include "link/settings_access.h"
#include "sites/alarm_report.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"
#include "unit/frm_install.h"
#include "unit/status_export.h"

namespace lnk {

namespace {

void ApplyModemLineSettings(app::Console& c) {
  c.MSComm1.Settings = SettingText(c, "ModemBaud") + "," + SettingText(c, "ModemParity") + "," +
                       SettingText(c, "ModemDataBits") + "," + SettingText(c, "ModemStopBits");
  c.MSComm1.Handshaking = vb::CLng(SettingValue(c, "ModemFlowControl"));
}

bool OpenModemPort(app::Console& c) {
  const std::optional<int> port = StoredCommPort(c, "ModemComPort");
  if (!port) return false;
  c.MSComm1.CommPort = *port;
  return OpenSerialPort(c, "Invalid COM port setting -- check modem settings.");
}

void Release(ui::ToolbarButton& b) {
  b.Value = ui::tbrUnpressed;
  b.Tag = "0";
}

// The parameter rows that stay changeable after a hang-up.
bool StaysUnlocked(int a) {
  return (a >= 6 && a <= 7) || a == 16 || a == 18 || a == 20 || (a >= 23 && a <= 24) ||
         (a >= 50 && a <= 59) || (a >= 62 && a <= 74) || (a >= 78 && a <= 96) ||
         (a >= 98 && a <= 164 && a % 2 == 0) || (a >= 166 && a <= 168) || a == 170 ||
         (a >= 172 && a <= 184) || (a >= 188 && a <= 194) || (a >= 197 && a <= 219) ||
         (a >= 222 && a <= 226);
}

}  // namespace

bool StartModemCall(app::Console& c, bool set_modem_up) {
  auto& st = c.st;
  app::EndSessionTransfers(c);
  // A modem session runs on the serial port, whatever the last session used.
  st.UseTcp = false;
  auto& install = c.Get<unit::frmInstall>();
  auto& progress = c.Get<app::frmProgress>();
  auto& main = c.Get<app::frmMain>();
  install.cmdRefresh.Enabled = true;
  install.cmdUpdate.Enabled = true;
  progress.cmdUpdate.Enabled = true;
  progress.cmdDisconnect.Enabled = true;
  Release(main.tbToolBar.Buttons(11));
  c.Get<sites::frmLog>().Hide();
  c.Unload<sites::frmGraphs>();
  Release(main.tbToolBar.Buttons(10));
  progress.Show();
  progress.optDisplay_Click(0);
  st.AlarmFlags = "0000000000000000";
  main.PressButton(2);
  progress.Caption = st.SelectedSiteName;
  progress.txtName.Text = vb::CStr(st.SelectedCustNum) + "(" + st.SelectedSiteName + ")";
  app::BeginSessionLog(c);
  ApplyModemLineSettings(c);
  c.MSComm1.RTSEnable = SettingValue(c, "chkRTS") == 1;
  if (!c.MSComm1.PortOpen()) {
    if (!OpenModemPort(c)) {
      progress.Hide();
      return false;
    }
    set_modem_up = true;
  }
  if (!set_modem_up) {
    st.CmdState = kDial;
    st.AutoNext = true;
    app::LogLine(c, "Dialing " + vb::Mid(c.cmd.Cmd[kDial], 5));
    app::SetStatus(c, "Dialing...");
  } else {
    app::SetStatus(c, "Querying modem...");
    app::LogText(c, "Querying modem.... ");
    st.AutoNext = true;
    st.CmdState = kModemInit;
  }
  StartInitTimer(c);
  ServeLink(c);
  return true;
}

void InitModem(app::Console& c) {
  const bool answer = c.Get<app::frmMain>().mnuOptionsAnswer.Checked();
  // The count goes into the modem's command as a number, never as the text
  // stored ("2DT5551234" would dial).
  std::optional<int> rings;
  if (answer && !(rings = StoredRings(c))) return;
  // The modem answers on the serial port, whatever the last session used.
  c.st.UseTcp = false;
  auto& readout = c.Get<app::frmReadout>();
  readout.lblReadout.Caption = "Initializing modem...";
  readout.Show(false, &c.Get<app::frmMain>());
  ApplyModemLineSettings(c);
  if (!c.MSComm1.PortOpen() && !OpenModemPort(c)) return;
  std::string init = SettingText(c, "ModemInit");
  if (answer)
    c.cmd.Cmd[kAutoAnswerInit] = vb::Left(init, vb::Len(init) - 1) + vb::CStr(*rings) + "\r";
  else
    c.cmd.Cmd[kAutoAnswerInit] = init + "\r";
  c.st.AutoNext = false;
  c.st.CmdState = kAutoAnswerInit;
  c.st.RxText.clear();
  StartInitTimer(c);
  ServeLink(c);
}

void RelockAccessLevels(app::Console& c) {
  auto& st = c.st;
  auto& main = c.Get<app::frmMain>();
  auto& install = c.Get<unit::frmInstall>();
  main.tbToolBar.Buttons("Status")->Image = "StatusL";
  main.tbToolBar.Buttons("Factory")->Image = "FactoryL";
  main.tbToolBar.Buttons("Install")->Image = "InstallL";
  main.ReleasePageButtons();
  for (int a = 0; a <= 226; ++a)
    if (!StaysUnlocked(a))
      if (auto* spinner = install.udProp.Find(a)) spinner->Enabled = false;
  st.ControlsLocked = true;
  for (auto* pair : {&install.optCallout, &install.optAC, &install.optEqualization})
    for (int i = 0; i <= 1; ++i) (*pair)[i].Enabled = false;
  for (int i = 0; i <= 6; ++i)
    if (auto* spinner = install.udDate.Find(i)) spinner->Enabled = false;
  st.FactoryLocked = true;
  install.cmdChangeInit.Enabled = false;
  install.cmdInit.Enabled = false;
  install.cmdAddress.Enabled = false;
  st.InstallLocked = true;
}

namespace {

// How the line ended, which decides what the modem still gets.
enum class LineEnd {
  kHangUp,       // the console hangs up: "+++", 1.5 s, "ATH0" on a modem
  kCarrierLost,  // the modem reported the call gone: "ATH0" alone
  kGone,         // the serial device is gone: nothing can be sent
};

// The command under way is given up; returns what it left unfinished ("" for
// nothing), read before it goes, for the caller to tell.
[[nodiscard]] std::string GiveUpCommand(app::Console& c) {
  std::string unfinished = app::UnfinishedCommandNotice(c);
  AbandonCommand(c);
  return unfinished;
}

// The one end of a session, whoever asks for it. The command under way ends
// first, so that no reply, deadline or repeat of it acts on what follows.
// Returns what it left unfinished ("" for nothing), for the caller to tell
// once the session is closed.
[[nodiscard]] std::string EndSession(app::Console& c, LineEnd how) {
  auto& st = c.st;
  auto& main = c.Get<app::frmMain>();
  main.tmrUpdate.Stop();
  st.ResumeUpdate = false;
  const std::string unfinished = GiveUpCommand(c);
  app::LogLine(c, "Disconnecting...");
  const bool modem = !st.DirectCable && how != LineEnd::kGone;
  if (modem && how == LineEnd::kHangUp) {
    st.CmdState = kEscape;
    st.AutoNext = false;
    SendCommand(c);
  }
  st.Online = false;
  RelockAccessLevels(c);
  auto close_session_windows = [&] {
    StoreConnectLog(c);
    c.Get<app::frmProgress>().Hide();
    ReleaseSiteButton(c);
    c.Get<unit::frmInstall>().Hide();
    st.RxBuffer.clear();
  };
  if (modem) {
    if (how == LineEnd::kHangUp) Delay(c, 1.5);
    close_session_windows();
    st.CmdState = kHangUp;
    st.AutoNext = false;
    SendCommand(c);
    // A network session ends with its connection.
    if (st.UseTcp) c.tcpClient.Close();
  } else {
    st.DirectCable = false;
    if (c.MSComm1.PortOpen()) c.MSComm1.SetPortOpen(false);
    close_session_windows();
  }
  app::EndSessionTransfers(c);
  st.V4Mode = vb::Val(c.GetSetting("V4", "0")) != 0;
  ui::ToolbarButton* connect = main.tbToolBar.Buttons("Connect");
  connect->Image = "Connect";
  connect->Caption = "Connect";
  // Every road ends here, whether or not a modem is left to answer "ATH0".
  app::SetStatus(c, "Disconnected");
  unit::SaveStatusFile(c, c.folder.FilePath(unit::kStatusExportFileName));
  return unfinished;
}

void Tell(app::Console& c, const std::string& text) {
  if (!text.empty()) c.rt.MsgBox(text, ui::vbExclamation, app_info::kTitle);
}

// The end of the online window's Disconnect, and of one the operator did not
// ask for: the session's alarms go to its site first (not those of a call
// that never reached the unit: they were never read), and Controls is
// relocked.
[[nodiscard]] std::string EndSessionUnasked(app::Console& c, LineEnd how) {
  if (c.st.Online) sites::UpdateSiteAlarms(c);
  std::string unfinished = EndSession(c, how);
  c.Get<unit::frmInstall>().LockStatus();
  return unfinished;
}

}  // namespace

void Disconnect(app::Console& c) { Tell(c, EndSession(c, LineEnd::kHangUp)); }

void HangUpOnline(app::Console& c) { Tell(c, EndSessionUnasked(c, LineEnd::kHangUp)); }

bool CarrierLost(const app::Console& c, const std::string& received) {
  const auto& st = c.st;
  if (!st.Online || st.DirectCable || st.UseTcp || IsModemCommand(st.CmdState)) return false;
  return vb::UCase(received).find("NO CARRIER") != std::string::npos;
}

void EndLostCall(app::Console& c) {
  app::LogLine(c, "NO CARRIER");
  Tell(c, EndSessionUnasked(c, LineEnd::kCarrierLost));
}

void SerialLineLost(app::Console& c) {
  auto& st = c.st;
  const std::string notice = "The serial port COM" + vb::CStr(c.MSComm1.CommPort) +
                             " is lost: " + c.MSComm1.LastError() + ".";
  // A session on the port (or a call being placed on it) ends as a hang-up
  // does; a network session does not depend on it. One message tells both
  // the port and what was cut short.
  std::string unfinished;
  if (!st.UseTcp) {
    const bool session = st.Online || st.CmdState == kModemInit || st.CmdState == kDial;
    if (session) {
      app::LogLine(c, notice);
      unfinished = EndSessionUnasked(c, LineEnd::kGone);
    } else {
      unfinished = GiveUpCommand(c);
      app::EndSessionTransfers(c);
      app::SetStatus(c, "Disconnected");
    }
    // Without its modem a callout run cannot reach its next site.
    if (st.CalloutActive) app::EndCalloutRun(c);
  }
  Tell(c, unfinished.empty() ? notice : notice + "\r\n" + unfinished);
}

}  // namespace lnk
