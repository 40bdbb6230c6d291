// The three roads to a unit (modem, direct cable, network), the session that
// a direct or network road runs once the link is up, hanging up and the
// auto-answer switch.
#include <optional>
#include <string>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_monitor.h"
#include "app/frm_progress.h"
#include "app/frm_readout.h"
#include "app/session_log.h"
#include "app/session_transfers.h"
#include "app/unit_address.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/line_use.h"
#include "link/line_values.h"
#include "link/modem_call.h"
#include "link/receive_loop.h"
#include "link/reply_tokens.h"
#include "link/serial_open.h"
#include "link/settings_access.h"
#include "link/v4_link.h"
#include "sites/alarm_report.h"
#include "sites/frm_map.h"
#include "sites/site_queries.h"

namespace app {

namespace {

constexpr const char* kSelectSiteHint = "You may select a site by left-clicking it on the map.";
constexpr int kSiteButton = 2;
// Bytes of a text dump, for the download bar.
constexpr int kTextDumpBytes = 1690;

void Tell(Console& c, const std::string& prompt) {
  c.rt.MsgBox(prompt, ui::vbOKOnly, app_info::kTitle);
}

// The registry's "LastAddress", the address prompts' default.
std::string LastAddress(Console& c) { return c.GetSetting("LastAddress", "65535"); }

// Asks for the V4 address of the unit to reach; false when the operator gave
// none or an invalid one (then told so).
bool AskUnitAddress(Console& c, const char* road) {
  const std::string answer = c.rt.InputBox(
      std::string("Please enter a Unit Address to establish ") + road + " connection (0-65535):",
      app_info::kTitle, LastAddress(c));
  if (answer.empty()) return false;
  const auto address = ParseUnitAddress(answer);
  if (!address) {
    Tell(c, "The unit address must be in the range 0-65535");
    return false;
  }
  c.st.UnitAddress = *address;
  c.SaveSetting("LastAddress", vb::CStr(*address));
  return true;
}

bool ConfirmConnection(Console& c, const char* road) {
  return c.rt.MsgBox(std::string("Are you sure you want to establish a ") + road +
                         "\r\nconnection to the site '" + c.st.SelectedSiteName + "'?",
                     ui::vbYesNo + ui::vbQuestion, "Confirm connection") == ui::vbYes;
}

// The selected site's SitePhone (Null when the site has no row or no value).
platform::Variant SelectedSitePhone(Console& c) {
  platform::Recordset rs = c.Db.OpenRecordset(sites::ConnectionSiteQuery(c.st.SelectedSiteID));
  return rs.Field("SitePhone");
}

}  // namespace

// ---- modem -------------------------------------------------------------------

void frmMain::mnuModem_Click() {
  auto& st = c_.st;
  c_.param.SequentialDump = false;
  if (lnk::LineInUse(c_)) {
    Tell(c_, "Please disconnect from the current site before establishing another connection.");
    return;
  }
  const bool map_shown = MapShown(c_);
  if (map_shown && st.SelectedSiteID == 0) {
    Tell(c_, std::string("First select the site to connect to via modem.\r\n") + kSelectSiteHint);
    return;
  }
  if (!map_shown) {
    const std::string number =
        c_.rt.InputBox("Please enter telephone number to dial:", app_info::kTitle,
                       lnk::SettingText(c_, "sTelephone"));
    if (number.empty()) return;
    if (lnk::FindSetting(c_, "sTelephone") != 0) {
      c_.settings.Current().SettingText = number;
      c_.settings.SettingTextToNum();
    }
    c_.cmd.Cmd[lnk::kDial] = "ATDT" + lnk::DigitsOnly(number) + "\r";
    lnk::StartModemCall(c_);
    return;
  }
  if (!ConfirmConnection(c_, "modem")) {
    ResetConnectButton();
    return;
  }
  const platform::Variant phone = SelectedSitePhone(c_);
  if (phone.IsNull()) {
    // A site without a row or a number has nothing to dial.
    ResetConnectButton();
    return;
  }
  c_.cmd.Cmd[lnk::kDial] = "ATDT" + lnk::DigitsOnly(phone.ToText()) + "\r";
  lnk::StartModemCall(c_);
}

// ---- direct cable ------------------------------------------------------------

void frmMain::mnuDirect_Click() {
  auto& st = c_.st;
  c_.param.SequentialDump = false;
  const bool map_shown = MapShown(c_);
  if (map_shown && st.SelectedSiteID == 0) {
    Tell(c_, std::string("First select the site to connect to via direct cable.\r\n") +
                 kSelectSiteHint);
    return;
  }
  if (map_shown && !ConfirmConnection(c_, "direct cable")) {
    ResetConnectButton();
    return;
  }
  if (st.SelectedSiteID != 0) {
    // The site's SitePhone names its port; its unit address is not taken.
    const platform::Variant phone = SelectedSitePhone(c_);
    if (!phone.IsNull()) {
      if (c_.MSComm1.PortOpen()) c_.MSComm1.SetPortOpen(false);
      const double port = vb::Val(phone.ToText());
      if (port >= 1 && port <= 16) {
        c_.MSComm1.CommPort = static_cast<int>(vb::Int(port));
      } else {
        const std::optional<int> cable = lnk::StoredCommPort(c_, "CableComPort");
        if (!cable) return ResetConnectButton();
        c_.MSComm1.CommPort = *cable;
      }
    }
  } else if (st.V4Mode) {
    if (!AskUnitAddress(c_, "direct")) return;
  }
  DirectConnect();
}

void frmMain::DirectConnect() {
  auto& st = c_.st;
  auto& port = c_.MSComm1;
  if (port.PortOpen()) {
    if (mnuOptionsAnswer.Checked()) {
      c_.rt.MsgBox(
          "Please disable Auto-Answer mode before attempting to\r\n"
          "establish a direct-cable connection.",
          ui::vbOKOnly, "COM channel already open");
      return;
    }
    port.SetPortOpen(false);
  }
  port.Settings = lnk::SettingText(c_, "CableBaud") + "," + lnk::SettingText(c_, "CableParity") +
                  "," + lnk::SettingText(c_, "CableDataBits") + "," +
                  lnk::SettingText(c_, "CableStopBits");
  port.Handshaking = vb::CLng(lnk::SettingValue(c_, "CableFlowControl"));
  if (!MapShown(c_)) {
    const std::optional<int> cable = lnk::StoredCommPort(c_, "CableComPort");
    if (!cable) return ResetConnectButton();
    port.CommPort = *cable;
  }
  st.DirectCable = true;
  // The session runs on the cable, whatever an earlier network session left:
  // unit commands and replies must not go to and come from the socket.
  st.UseTcp = false;
  if (!lnk::OpenSerialPort(c_, "Serial port seems to be in use by another application.")) {
    // No cable session began: the next modem session must still hang up
    // with "+++" and "ATH0".
    st.DirectCable = false;
    ResetConnectButton();
    return;
  }
  RunConnectedSequence(/*over_network=*/false);
}

// ---- network -------------------------------------------------------------------

void frmMain::mnuConnNet_Click() {
  auto& st = c_.st;
  if (MapShown(c_) && st.SelectedSiteID == 0) {
    Tell(c_, std::string("First select the site to connect to via network.\r\n") + kSelectSiteHint);
    return;
  }
  if (st.V4Mode) {
    if (!AskUnitAddress(c_, "network")) return;
  } else {
    // A network session always speaks V4, to every unit at once.
    st.V4Mode = true;
    st.UnitAddress = 65535;
  }
  StartNetworkSession();
}

void frmMain::StartNetworkSession() {
  auto& st = c_.st;
  st.UseTcp = true;
  auto& readout = c_.Get<frmReadout>();
  readout.lblReadout.Caption = "Attempting network connection...";
  readout.Show();
  ConnectNetwork(MapShown(c_) ? st.SiteNetAddress : c_.GetSetting("RemoteIP", kDefaultRemoteIP));
  if (st.ConnectFailed) {
    st.ConnectFailed = false;
    // No session started: the dialect is the stored one again, as after a
    // hang-up, so that the next road does not speak V4 to a text unit.
    st.V4Mode = vb::Val(c_.GetSetting("V4", "0")) != 0;
    return;
  }
  RunConnectedSequence(/*over_network=*/true);
}

// ---- the session ---------------------------------------------------------------

void frmMain::RunConnectedSequence(bool over_network) {
  auto& st = c_.st;
  EndSessionTransfers(c_);
  SetStatusText("Connected");
  auto& progress = c_.Get<frmProgress>();
  progress.Show();
  st.AlarmFlags = "0000000000000000";
  PressButton(kSiteButton);
  progress.Caption = st.SelectedSiteName;
  progress.txtName.Text = st.SelectedSiteName;
  BeginSessionLog(c_);
  progress.txtStatus.Text = "Connected";
  st.ProgressCount = 0;
  st.Online = true;
  st.SessionConnected = true;
  for (int a = 0; a <= 255; ++a) c_.param.Received[static_cast<size_t>(a)] = false;
  if (st.V4Mode) {
    auto& readout = c_.Get<frmReadout>();
    readout.lblReadout.Caption = "Retrieving EEPROM bulk data...";
    readout.Show();
    st.V4RetryCount = 0;
    st.CmdState = lnk::kV4Dump;
    st.RetryCount = 0;
    st.AutoNext = false;
    if (over_network) c_.tcpClient.SendData("\r");
    lnk::SendV4Packet(c_, st.UnitAddress, "D");
  } else {
    st.ProgressActive = true;
    auto& monitor = c_.Get<frmMonitor>();
    monitor.ProgressBar1.Min = 0;
    monitor.ProgressBar1.Max = kTextDumpBytes;
    monitor.txtCaption.Text = "Downloading EEPROM data...";
    monitor.Show(false, this);
    st.CmdState = lnk::kDump;
    st.RetryCount = 0;
    st.AutoNext = false;
    lnk::SendCommand(c_);
  }
  lnk::ReceiveLoop(c_);
}

// The session's alarms go to the site's row before the hang-up.
void frmMain::mnuDisconnect_Click() {
  if (!c_.st.Online) return;
  sites::UpdateSiteAlarms(c_);
  lnk::Disconnect(c_);
}

// The modem is set up again at once to answer calls, or not to.
void frmMain::mnuOptionsAnswer_Click() {
  const bool answer = !mnuOptionsAnswer.Checked();
  if (answer) mnuOptionsAnswer.Checked = true;
  if (lnk::FindSetting(c_, "AutoAnswer") != 0) {
    c_.settings.Current().SettingFlag = answer;
    c_.settings.SettingBoolToText();
  }
  if (!answer) mnuOptionsAnswer.Checked = false;
  lnk::InitModem(c_);
}

}  // namespace app
