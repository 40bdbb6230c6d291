#include "link/command_gate.h"

#include <utility>

#include "app/console.h"
#include "app/frm_establish.h"
#include "app/session_log.h"
#include "link/command_table.h"

namespace lnk {

bool CommandUnderWay(app::Console& c) {
  const auto& st = c.st;
  if (st.BulkWriteActive) return true;
  if (app::frmEstablish* establish = c.IfLoaded<app::frmEstablish>())
    if (establish->Visible()) return true;
  // Only a session's link awaits replies, and only while a receive loop
  // serves it: a command state left over from a link that is gone holds
  // nothing up.
  return st.Online && st.CmdState != kIdle && st.ReceiveLoopDepth > 0;
}

bool MayStartCommand(app::Console& c) {
  if (!CommandUnderWay(c)) return true;
  c.rt.Beep();
  app::LogLine(c, "Not sent: the unit has not finished the command under way.");
  return false;
}

std::function<void()> Gated(app::Console& c, std::function<void()> start) {
  return [&c, start = std::move(start)] {
    if (MayStartCommand(c)) start();
  };
}

}  // namespace lnk
