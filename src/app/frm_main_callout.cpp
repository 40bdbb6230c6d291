// The main window's entries for a site's alarms and last connection log, and
// the callout schedule's timer.
#include "app/callout_run.h"
#include "app/console.h"
#include "app/frm_main.h"
#include "link/modem_call.h"
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

// Whether a session is open is not looked at: the schedule is the run's
// only condition.
void frmMain::tmrCallout_Timer() {
  if (!CalloutDue(c_.rt.Now(), lnk::SettingValue(c_, "CalloutHour"),
                  lnk::SettingValue(c_, "CalloutMinute"),
                  lnk::Setting(c_, "optCalloutAllDays").SettingFlag,
                  lnk::SettingText(c_, "CalloutDays")))
    return;
  c_.st.CalloutActive = true;
  c_.rsCallout = c_.Db.OpenRecordset(sites::CalloutListQuery());
  // Without a callout site the run stays active: the next hang-up ends it.
  if (c_.rsCallout.Eof()) return;
  TakeCalloutSite(c_);
  if (c_.st.ReceiveLoopDepth > 0)
    lnk::StartModemCall(c_);  // served by the loop already running
  else
    tmrCalloutDial.Restart(1);
}

void frmMain::tmrCalloutDial_Timer() {
  tmrCalloutDial.Enabled = false;
  lnk::StartModemCall(c_);
}

}  // namespace app
