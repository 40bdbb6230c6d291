#include "link/command_abandon.h"

#include "app/console.h"
#include "app/frm_establish.h"
#include "app/frm_main.h"
#include "app/frm_monitor.h"
#include "link/command_sender.h"
#include "link/command_table.h"

namespace lnk {

void AbandonCommand(app::Console& c) {
  auto& st = c.st;
  app::frmMain& main = c.Get<app::frmMain>();
  main.tmrOut.Stop();
  main.tmrError.Stop();
  main.tmrIn.Stop();
  main.tmrInit.Stop();
  st.CmdState = kIdle;
  st.AutoNext = false;
  st.RetryCount = 0;
  st.V4RetryCount = 0;
  st.DialGiveUpMs = 0;
  st.ProgressActive = false;
  // The receive loop takes the idle state as a new start: its deadline for
  // the ended command does not fall due.
  BeginCommand(st);
  if (app::frmMonitor* monitor = c.IfLoaded<app::frmMonitor>()) monitor->Hide();
  c.Unload<app::frmEstablish>();
}

}  // namespace lnk
