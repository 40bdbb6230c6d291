#include "link/receive_loop.h"

#include <algorithm>
#include <string>

#include "app/console.h"
#include "app/frm_debug.h"
#include "app/frm_main.h"
#include "app/session_log.h"
#include "app/frm_monitor.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/idle_text.h"
#include "link/line_use.h"
#include "link/modem_call.h"
#include "link/reply_state_machine.h"
#include "link/settings_access.h"
#include "platform/input_limit.h"

namespace lnk {

namespace {

// Deadlines are kept on the steady clock, so one that falls past midnight
// passes on time, and a wall clock stepped back or forward moves none.
std::int64_t NextDeadline(app::Console& c) {
  std::int32_t timeout = c.cmd.CmdTimeout[static_cast<size_t>(c.st.CmdState)];
  if (c.st.V4Mode && timeout >= 6000) return c.rt.SteadyMs() + timeout;
  return c.rt.SteadyMs() + 60000;
}

bool DataWaiting(app::Console& c) {
  return c.st.UseTcp ? !c.st.TcpRxText.empty() : c.MSComm1.InBufferCount() >= 1;
}

std::string TakePiece(app::Console& c) {
  if (!c.st.UseTcp) return c.MSComm1.Input();
  std::string piece;
  piece.swap(c.st.TcpRxText);
  // Arrivals refused while the text was full wait in the socket.
  if (piece.size() >= platform::kInputHeld) c.st.TcpRxText = c.tcpClient.GetData();
  return piece;
}

}  // namespace

void ReceiveLoop(app::Console& c) {
  auto& st = c.st;
  ++st.ReceiveLoopDepth;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{st.ReceiveLoopDepth};
  st.StopReceive = false;
  std::int64_t deadline = NextDeadline(c);
  std::uint32_t started = st.CommandsStarted;
  auto process_reply = [&] {
    ProcessReply(c);
    started = st.CommandsStarted;
  };
  for (;;) {
    while (!DataWaiting(c)) {
      c.rt.WaitEventsSteady(deadline + 1);  // until the deadline has passed
      if (st.StopReceive) return;
      // A command that an event started meanwhile (a button, a timer, the
      // hang-up) is timed from its start: a deadline set long before would
      // hand it to ProcessReply while it is still being sent.
      if (st.CommandsStarted != started) {
        started = st.CommandsStarted;
        deadline = NextDeadline(c);
      }
      if (c.rt.SteadyMs() > deadline) {
        deadline = NextDeadline(c);
        process_reply();
      }
    }
    app::frmMain& main = c.Get<app::frmMain>();
    main.tmrError.Stop();
    deadline = c.rt.SteadyMs() + c.cmd.CmdIdleTimeout[static_cast<size_t>(st.CmdState)];
    std::string piece = TakePiece(c);
    if (st.DebugEcho) app::EchoToTerminal(c, piece);
    // The modem's words (the longest is "NO CARRIER") are looked for in what
    // came now, with the few characters before it that could start one: taken
    // before the buffers below keep or drop any of it.
    const std::string& before = st.CmdState != kIdle ? st.RxBuffer : st.RxText;
    const size_t look_back = std::min(before.size(), sizeof("NO CARRIER") - 2);
    const std::string recent = before.substr(before.size() - look_back) + piece;
    if (st.CmdState != kIdle) {
      st.RxBuffer.append(piece, 0, kLongestReply - std::min(st.RxBuffer.size(), kLongestReply));
      if (st.CmdState == kDump && !st.RxBuffer.empty() &&
          static_cast<unsigned char>(st.RxBuffer[0]) > 127) {
        // The unit answered the text dump in binary: it speaks V4.
        st.V4Mode = true;
        st.CmdState = kV4Dump;
        c.Get<app::frmMonitor>().Hide();
      }
    } else {
      // The call-in's words are followed before the idle text is trimmed,
      // which may hand a whole report over and drop it.
      FollowIdleLine(c, recent);
      TakeIdleText(c, piece);
    }
    // The call is gone: the session ends on the spot, since what was under
    // way cannot be answered any more.
    if (CarrierLost(c, recent)) {
      EndLostCall(c);
      continue;
    }
    if (st.ProgressActive) {
      st.ProgressCount += static_cast<std::int32_t>(piece.size());
      auto& bar = c.Get<app::frmMonitor>().ProgressBar1;
      if (bar.Max() >= st.ProgressCount) bar.Value = st.ProgressCount;
    }
    if (st.CmdState == kDump) continue;  // the text dump is never line-counted
    const std::string& lines = c.cmd.CmdLines[static_cast<size_t>(st.CmdState)];
    if (SettingValue(c, "chkEnableEOT") != 1 || lines == "0") continue;
    for (;;) {
      size_t lf = st.LfSearchPos >= 1 ? st.RxBuffer.find('\n', static_cast<size_t>(st.LfSearchPos - 1))
                                      : st.RxBuffer.find('\n');
      if (lf == std::string::npos) break;
      st.LfSearchPos = static_cast<std::int32_t>(lf) + 2;
      ++st.LinesReceived;
    }
    if (st.LinesReceived >= vb::Val(lines)) {
      main.tmrIn.Stop();
      deadline = c.rt.SteadyMs() + 60000;
      process_reply();
    }
  }
}

void ServeLink(app::Console& c) {
  if (c.st.ReceiveLoopDepth == 0) return ReceiveLoop(c);
  c.st.StopReceive = false;  // as a loop entered now would
}

void OnReplyTimeoutTimer(app::Console& c) {
  c.Get<app::frmMain>().tmrError.Stop();
  HandleReplyTimeout(c);
}

void OnInTimer(app::Console& c) {
  app::frmMain& main = c.Get<app::frmMain>();
  main.tmrIn.Stop();
  const auto state = static_cast<size_t>(c.st.CmdState);
  if (c.cmd.CmdLines[state] != "0") {
    app::LogLine(c, "Error processing command: " + c.cmd.Cmd[state] + "  (Lines received=" +
                        vb::CStr(c.st.LinesReceived) + ") ...Retrying...");
    SendCommand(c);
  } else {
    ProcessReply(c);
  }
}

void OnUpdateTimer(app::Console& c) {
  app::frmMain& main = c.Get<app::frmMain>();
  if (!main.tmrError.Enabled() || main.tmrError.Interval() == 0) {
    c.st.AutoNext = true;
    c.st.CmdState = kSiteLog;
    SendCommand(c);
  } else {
    main.tmrUpdate.Restart(static_cast<int>(SettingValue(c, "AutoUpdateSeconds") * 1000));
  }
}

}  // namespace lnk
