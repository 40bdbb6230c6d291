#include "link/reply_state_machine.h"

#include "app/callout_run.h"
#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_establish.h"
#include "app/frm_message.h"
#include "app/frm_next_callout.h"
#include "app/frm_progress.h"
#include "app/frm_readout.h"
#include "app/session_log.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/log_download.h"
#include "link/reply_handlers.h"
#include "sites/frm_map.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"
#include "unit/frm_install.h"

namespace lnk {

namespace {

void Dispatch(app::Console& c) {
  auto& st = c.st;
  switch (st.CmdState) {
    case kIdle: return;
    case kModemInit: return OnModemInitReply(c);
    case kDial: return OnDialReply(c);
    case kSiteLog: return OnSiteLogReply(c);
    case kStatusU:
    case kStatusV: return OnStatusLineReply(c);
    case kMemoryReset: return OnMemoryResetReply(c);
    case kDatalogReset: return OnDatalogResetReply(c);
    case kDump: return OnDumpReply(c);
    case kSetParameter: return OnWriteByteReply(c);
    case kLogDownload: return OnLogReply(c);
    case kAutoAnswerInit: return OnAutoAnswerReply(c);
    case kEscape: return OnEscapeReply(c);
    case kHangUp: return OnHangUpReply(c);
    case kEqualize:
      c.rt.MsgBox("Equalization setting accepted", ui::vbOKOnly, app_info::kTitle);
      return EndReply(c);
    case kClock:
      c.Get<app::frmMessage>().Show();
      return EndReply(c);
    case kCounterReset:
      c.rt.MsgBox("AH reset accepted", ui::vbOKOnly, app_info::kTitle);
      c.cmd.Cmd[kCounterReset] = "Cr";
      return EndReply(c);
    case kLogPreamble: return OnLogPreambleReply(c);
    case kV4Dump: return OnV4DumpReply(c);
    case kV4Clock: return OnV4ClockReply(c);
    case kV4Write: return OnV4WriteReply(c);
    case kV4Reset: return OnV4ResetReply(c);
    default: return EndReply(c);  // 4, 9, 16 and anything unknown
  }
}

}  // namespace

void ProcessReply(app::Console& c) {
  auto& st = c.st;
  if (st.ResumeUpdate) {
    st.ResumeUpdate = false;
    c.Get<app::frmMain>().tmrUpdate.Enabled = true;
  }
  const int handled = st.CmdState;
  Dispatch(c);
  // The unit's status is read (or given up on): a callout run hangs up.
  if (handled == kStatusV || handled == kV4Dump) app::HangUpCalloutSession(c);
}

void EndReply(app::Console& c) {
  if (c.st.AutoNext) {
    ++c.st.CmdState;
    SendCommand(c);
  } else {
    c.st.CmdState = kIdle;
  }
}

void FinishReply(app::Console& c) {
  c.st.CmdState = kIdle;
  c.st.RetryCount = 0;
  c.st.AutoNext = false;
}

std::string CleanReply(const std::string& reply, bool first_line_only) {
  std::string s = reply;
  if (first_line_only) {
    // A line end left over from the previous reply (its closing CR can come
    // after the line count already ended that reply) is not part of this
    // line: it would otherwise become a blank inside the checked text.
    size_t start = s.find_first_not_of("\r\n");
    s.erase(0, start == std::string::npos ? s.size() : start);
    size_t lf = s.find('\n');
    if (lf != std::string::npos) s.resize(lf);
  }
  for (char& ch : s)
    if (ch == '\r' || ch == '\n') ch = ' ';
  return s;
}

void StoreConnectLog(app::Console& c) {
  c.rsShared = c.Db.OpenRecordset(sites::ColourAndLogQuery(c.st.SelectedSiteID));
  if (!c.rsShared.Eof()) {
    c.rsShared.Edit();
    c.rsShared.Fields("ConnectLog") = c.Get<app::frmProgress>().txtLog.Text();
    c.rsShared.Update();
  }
  c.rsShared.Close();
  c.st.SessionLogStored = true;
}

void SetFailedCallColour(platform::Recordset& site) {
  if (site.Field("SiteColor").ToLong() == sites::kSiteColorAlarm) return;
  site.Fields("SiteColor") = sites::kSiteColorFailedCall;
}

void ReleaseSiteButton(app::Console& c) {
  if (ui::ToolbarButton* site = c.Get<app::frmMain>().tbToolBar.Buttons("Site")) {
    site->Tag = "0";
    site->Value = ui::tbrUnpressed;
  }
}

namespace {

// The modem's final answers to a dial that end the call ("BUSY" is handled
// on its own). Anything else (the echo of the dial, "RINGING", "CARRIER
// 9600", "PROTOCOL: LAPM", "COMPRESSION: V.42BIS", a garbled echo) is
// reported on the way to "CONNECT".
bool DialFailed(const std::string& upper) {
  for (const char* result : {"NO CARRIER", "NO ANSWER", "NO DIALTONE", "NO DIAL TONE", "ERROR"})
    if (upper.find(result) != std::string::npos) return true;
  return false;
}

// The modem gave the call up: the site shows a failed call and keeps the
// session's log, the session's windows close, and a run goes on with its
// next site.
void EndFailedCall(app::Console& c) {
  auto& st = c.st;
  c.rsShared = c.Db.OpenRecordset(sites::ColourAndLogQuery(st.SelectedSiteID));
  if (!c.rsShared.Eof()) {
    c.rsShared.Edit();
    SetFailedCallColour(c.rsShared);
    c.rsShared.Fields("ConnectLog") = c.Get<app::frmProgress>().txtLog.Text();
    c.rsShared.Update();
    c.Get<sites::frmMap>().DrawIcon();
  }
  c.rsShared.Close();
  st.SessionLogStored = true;
  c.Get<app::frmProgress>().Hide();
  ReleaseSiteButton(c);
  st.RxBuffer.clear();
  app::SetStatusBar(c, "Disconnected");
  EndReply(c);
  if (st.CalloutActive) app::ShowNextCallout(c);
}

}  // namespace

void OnModemInitReply(app::Console& c) {
  app::LogLine(c, "Dialing " + vb::Mid(c.cmd.Cmd[kDial], 5));
  app::SetStatus(c, "Dialing...");
  EndReply(c);
}

void OnDialReply(app::Console& c) {
  auto& st = c.st;
  st.AutoNext = false;
  std::string upper = vb::UCase(st.RxBuffer);
  if (upper.find("BUSY") != std::string::npos) {
    app::LogLine(c, "BUSY");
    return EndFailedCall(c);
  }
  long connect = vb::InStr(upper, "CONNECT");
  if (connect > 0) {
    app::LogLine(c, "Connect " + vb::Mid(st.RxBuffer, connect + 7) + "Retrieving status...");
    app::SetStatus(c, "Connected");
    st.Online = true;
    st.SessionConnected = true;
    st.ProgressCount = 0;
    st.ProgressActive = true;
    c.Get<app::frmEstablish>().Show(true, &c.Get<app::frmMain>());
    return;
  }
  if (!DialFailed(upper)) {
    // No final answer yet: keep waiting. The no-answer time-out keeps the
    // end it was given when the dial went out; neither the loop's deadlines
    // nor the modem's reports on the way put it off.
    st.AutoNext = true;
    if (st.DialGiveUpMs == 0) return;  // still dialling: its end arms the time-out
    const std::int64_t left = st.DialGiveUpMs - c.rt.SteadyMs();
    c.Get<app::frmMain>().tmrError.Restart(static_cast<int>(left > 1 ? left : 1));
    return;
  }
  app::LogLine(c, "Connect failed.");
  app::SetStatus(c, "Disconnected");
  // A run records the failed call as a busy one and goes on with its next
  // site; otherwise the loop ends.
  if (st.CalloutActive) return EndFailedCall(c);
  st.StopReceive = true;
  EndReply(c);
}

void OnMemoryResetReply(app::Console& c) {
  auto& st = c.st;
  st.AutoNext = false;
  // The unit answers the reset with "OK"; without it (no answer, or another)
  // its memory may hold what it held, and the operator is told so.
  if (vb::UCase(st.RxBuffer).find("OK") == std::string::npos) {
    st.RxBuffer.clear();
    EndReply(c);
    c.rt.MsgBox("The unit did not confirm the memory reset.", ui::vbExclamation, app_info::kTitle);
    return;
  }
  c.rt.MsgBox("Memory successfully reset", ui::vbOKOnly, app_info::kTitle);
  st.RxBuffer.clear();
  st.ProgressCount = 0;
  st.ProgressActive = true;
  c.Get<app::frmEstablish>().Show(true, &c.Get<app::frmMain>());
}

void OnDatalogResetReply(app::Console& c) {
  c.st.AutoNext = false;
  c.rt.MsgBox("Datalog successfully reset", ui::vbOKOnly, app_info::kProductName);
  c.st.RxBuffer.clear();
  EndReply(c);
}

void OnAutoAnswerReply(app::Console& c) {
  c.st.AutoNext = false;
  c.Unload<app::frmReadout>();
  if (vb::UCase(c.st.RxBuffer).find("OK") == std::string::npos)
    c.rt.MsgBox("Failed to receive 'OK' response from modem.", ui::vbOKOnly, app_info::kTitle);
  EndReply(c);
}

void OnEscapeReply(app::Console& c) {
  c.st.AutoNext = false;
  StoreConnectLog(c);
  c.Get<app::frmProgress>().Hide();
  ReleaseSiteButton(c);
  c.Get<unit::frmInstall>().Hide();
  c.st.RxBuffer.clear();
  EndReply(c);
}

void OnHangUpReply(app::Console& c) {
  c.st.AutoNext = false;
  if (c.st.CalloutActive) return app::ShowNextCallout(c);
  EndReply(c);
}

}  // namespace lnk
