// The main window's entries for a site's alarms and last connection log, and
// the callout schedule's timer.
#include "app/callout_run.h"
#include "app/console.h"
#include "app/frm_main.h"
#include "link/line_use.h"
#include "link/settings_access.h"
#include "sites/frm_active_alarms.h"
#include "sites/frm_connect_log.h"
#include "sites/site_queries.h"

namespace app {

void frmMain::mnuActiveAlarms_Click() {
  if (!SiteGuard("First select a site to view active alarms list.")) return;
  c_.Get<sites::frmActiveAlarms>().Show(true, this);
}

void frmMain::mnuLastLog_Click() {
  if (!SiteGuard("First select a site to view last connection log.")) return;
  c_.Get<sites::frmConnectLog>().Show(true, this);
}

// A run due while anyone holds the line (a session, a call being dialled, a
// unit calling in, the terminal window, a network connect, a run still
// going) waits until the line is free (it starts at the first tick after,
// within a minute): the schedule never types a dial command into somebody
// else's call. A run still going when the schedule matches again is not
// started a second time.
void frmMain::tmrCallout_Timer() {
  if (!c_.st.CalloutActive &&
      CalloutDue(c_.rt.Now(), lnk::SettingValue(c_, "CalloutHour"),
                 lnk::SettingValue(c_, "CalloutMinute"),
                 lnk::Setting(c_, "optCalloutAllDays").SettingFlag,
                 lnk::SettingText(c_, "CalloutDays")))
    callout_waiting_ = true;
  if (!callout_waiting_ || lnk::LineInUse(c_)) return;
  callout_waiting_ = false;
  c_.st.CalloutActive = true;
  c_.rsCallout = c_.Db.OpenRecordset(sites::CalloutListQuery());
  // A run with nobody to call ends at once.
  if (c_.rsCallout.Eof()) return EndCalloutRun(c_);
  TakeCalloutSite(c_);
  if (c_.st.ReceiveLoopDepth > 0)
    DialCalloutSite(c_, /*first=*/true);  // served by the loop already running
  else
    tmrCalloutDial.Restart(1);
}

void frmMain::tmrCalloutDial_Timer() {
  tmrCalloutDial.Enabled = false;
  DialCalloutSite(c_, /*first=*/true);
}

}  // namespace app
