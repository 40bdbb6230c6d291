#include "link/line_use.h"

#include <string>

#include "app/console.h"
#include "app/frm_debug.h"
#include "common/vb.h"
#include "link/command_table.h"

namespace lnk {

namespace {

// A calling modem rings every few seconds and, once answered, the unit's
// report follows within a second or two: this much silence means the call
// is gone even though no "NO CARRIER" was heard.
constexpr std::int64_t kCallInQuietMs = 30'000;

bool TerminalHoldsThePort(app::Console& c) {
  const app::frmDebug* terminal = c.IfLoaded<app::frmDebug>();
  return terminal && terminal->OperatorOnLine() && c.MSComm1.PortOpen();
}

}  // namespace

LineHolder WhoHoldsTheLine(app::Console& c) {
  const auto& st = c.st;
  if (st.Online) return LineHolder::kSession;
  if (st.CmdState != kIdle) return LineHolder::kCommand;
  if (st.CalloutActive) return LineHolder::kCalloutRun;
  if (st.NetworkConnecting) return LineHolder::kNetworkConnect;
  if (st.CallInUntilMs != 0 && c.rt.SteadyMs() < st.CallInUntilMs) return LineHolder::kCallIn;
  if (TerminalHoldsThePort(c)) return LineHolder::kTerminal;
  return LineHolder::kNobody;
}

void FollowIdleLine(app::Console& c, std::string_view recent) {
  auto& st = c.st;
  const std::string text = vb::UCase(std::string(recent));
  std::size_t begun = text.rfind("RING");
  const std::size_t connect = text.rfind("CONNECT");
  if (connect != std::string::npos && (begun == std::string::npos || connect > begun)) begun = connect;
  const std::size_t ended = text.rfind("NO CARRIER");
  if (ended != std::string::npos && (begun == std::string::npos || ended > begun))
    st.CallInUntilMs = 0;
  else if (begun != std::string::npos || st.CallInUntilMs != 0)
    st.CallInUntilMs = c.rt.SteadyMs() + kCallInQuietMs;
}

NetworkConnectHold::NetworkConnectHold(app::Console& c) : c_(c), before_(c.st.NetworkConnecting) {
  c_.st.NetworkConnecting = true;
}

NetworkConnectHold::~NetworkConnectHold() { c_.st.NetworkConnecting = before_; }

}  // namespace lnk
