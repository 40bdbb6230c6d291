#include "link/command_sender.h"

#include <string>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/session_log.h"
#include "common/vb.h"
#include "link/command_table.h"
#include "platform/input_limit.h"
#include "sites/frm_map.h"

namespace lnk {

namespace {

// Unit commands go out through the transport of the session: the socket in
// network mode (paced like the serial port), else the serial port. Modem
// commands are for the modem, which only the serial port reaches.
bool ThroughSocket(app::Console& c) { return c.st.UseTcp && !IsModemCommand(c.st.CmdState); }

void WriteOut(app::Console& c, const std::string& bytes) {
  if (bytes.empty()) return;
  if (ThroughSocket(c)) {
    c.tcpClient.SendData(bytes);
  } else if (c.MSComm1.PortOpen()) {
    c.MSComm1.Output(bytes);
  }
}

}  // namespace

bool IsModemCommand(int command) {
  return command == kModemInit || command == kDial || command == kAutoAnswerInit ||
         command == kEscape || command == kHangUp;
}

void BeginCommand(common::SharedState& st) {
  st.RxBuffer.clear();
  st.LfSearchPos = 1;
  st.LinesReceived = 0;
  st.CmdSendPos = 2;
  ++st.CommandsStarted;
}

void SendCommand(app::Console& c) {
  if (!ThroughSocket(c) && !c.MSComm1.PortOpen()) return;
  auto& st = c.st;
  if (!st.WriteData.empty() && st.CmdState != kSetParameter) st.WriteData.clear();
  app::frmMain& main = c.Get<app::frmMain>();
  if (main.tmrUpdate.Enabled()) {
    st.ResumeUpdate = true;
    main.tmrUpdate.Enabled = false;
  }
  if (st.CmdState == kDump) app::LogLine(c, "Retrieving EEPROM data...");
  if (st.CmdState == kLogDownload) app::LogLine(c, "Retrieving log data...");
  BeginCommand(st);
  if (st.CmdState == kDial) st.DialGiveUpMs = 0;  // armed when the dial has gone out
  const std::string& text = c.cmd.Cmd[static_cast<size_t>(st.CmdState)];
  if (ThroughSocket(c) && c.tcpClient.State() != platform::sckConnected) {
    std::string host = app::MapShown(c) ? st.SiteNetAddress
                                         : c.GetSetting("RemoteIP", app::kDefaultRemoteIP);
    main.ConnectNetwork(host);
  }
  WriteOut(c, vb::Left(text, 1));
  main.tmrOut.Restart(st.CharDelay);
}

void OnCharTimer(app::Console& c) {
  auto& st = c.st;
  app::frmMain& main = c.Get<app::frmMain>();
  const std::string& text = c.cmd.Cmd[static_cast<size_t>(st.CmdState)];
  if (st.CmdSendPos >= vb::Len(text)) {
    main.tmrOut.Stop();
    WriteOut(c, vb::Mid(text, st.CmdSendPos, 1));
    if (st.CmdState == kDump)
      WriteOut(c, std::string("\r") + std::string(kAccessCode, kAccessCodeLength) + "\r");
    ArmReplyTimeout(c);
  } else {
    main.tmrOut.Restart(st.CharDelay);
    WriteOut(c, vb::Mid(text, st.CmdSendPos, 1));
    ++st.CmdSendPos;
  }
}

void ArmReplyTimeout(app::Console& c) {
  const std::int32_t timeout = c.cmd.CmdTimeout[static_cast<size_t>(c.st.CmdState)];
  if (c.st.CmdState == kDial) c.st.DialGiveUpMs = c.rt.SteadyMs() + timeout;
  c.Get<app::frmMain>().tmrError.Restart(timeout);
}

void StartInitTimer(app::Console& c) { c.Get<app::frmMain>().tmrInit.Restart(c.st.InitDelay); }

void OnInitTimer(app::Console& c) {
  c.Get<app::frmMain>().tmrInit.Stop();
  SendCommand(c);
}

// Appended: two arrivals before the receive loop polls (during a nested wait,
// a modal window) must both reach it. Once it holds a socket's worth, further
// arrivals wait in the socket, which then stops reading: the receive loop
// takes them with the text.
void OnTcpDataArrival(app::Console& c) {
  if (c.st.TcpRxText.size() < platform::kInputHeld) c.st.TcpRxText += c.tcpClient.GetData();
}

}  // namespace lnk
