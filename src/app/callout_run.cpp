#include "app/callout_run.h"

#include <array>

#include "app/console.h"
#include "app/frm_progress.h"
#include "app/session_log.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_table.h"
#include "link/delay.h"
#include "link/modem_call.h"
#include "link/reply_handlers.h"
#include "link/reply_tokens.h"
#include "sites/frm_map.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"

namespace app {

namespace {
// Sunday first, as the weekday numbers run.
constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
// The modem takes "+++" only after a guard time of silence on the line.
constexpr double kEscapeGuardSeconds = 1.5;
}  // namespace

bool CalloutDue(vb::DateTime now, double hour, double minute, bool all_days, const std::string& days) {
  if (vb::Hour(now) != hour || vb::Minute(now) != minute) return false;
  return all_days || days.find(kDayNames[static_cast<size_t>(vb::Weekday(now) - 1)]) != std::string::npos;
}

void TakeCalloutSite(Console& c) {
  auto& st = c.st;
  platform::Recordset& site = c.rsCallout;
  c.cmd.Cmd[lnk::kDial] = "ATDT" + lnk::DigitsOnly(site.Field("SitePhone").ToText()) + "\r";
  st.SelectedSiteName = site.Field("SiteName").ToText();  // "" when Null
  st.SelectedSiteID = site.Field("SiteID").ToLong();
  c.rsShared = c.Db.OpenRecordset(sites::NextCalloutSiteQuery(st.SelectedSiteID));
  if (!c.rsShared.Eof()) {
    st.SelectedSiteName = c.rsShared.Field("SiteName").ToText();
    st.SelectedSiteNum = static_cast<std::int16_t>(c.rsShared.Field("SiteNum").ToLong());
    st.SelectedCustNum = c.rsShared.Field("SiteCustNum").ToLong();
    c.Get<sites::frmMap>().DrawIcon();
  }
  c.rsShared.Close();
}

void DialCalloutSite(Console& c, bool first) {
  // The run's first call sets the modem up, even on a port left open: its
  // set-up answers no call, so for the whole run a unit calling in between
  // two sites cannot be taken for the called one.
  if (!lnk::StartModemCall(c, /*set_modem_up=*/first) && c.st.CalloutActive)
    EndCalloutRunEarly(c, "Invalid COM port setting -- check modem settings.");
}

void EndCalloutRunEarly(Console& c, const std::string& reason) {
  const std::string line = vb::CStrDate(c.rt.Now()) + " Automatic callout stopped before calling this site: " +
                           reason + "\r\n";
  std::string not_called;
  for (platform::Recordset& site = c.rsCallout; site.IsOpen() && !site.Eof(); site.MoveNext()) {
    c.rsShared = c.Db.OpenRecordset(sites::ColourAndLogQuery(site.Field("SiteID").ToLong()));
    if (!c.rsShared.Eof()) {
      std::string log = c.rsShared.Field("ConnectLog").ToText();
      if (!log.empty() && !log.ends_with("\r\n")) log += "\r\n";
      c.rsShared.Edit();
      c.rsShared.Fields("ConnectLog") = log + line;
      c.rsShared.Update();
    }
    c.rsShared.Close();
    not_called += "\r\n" + vb::CStr(sites::UnitSiteNum(static_cast<std::int16_t>(site.Field("SiteNum").ToLong()))) +
                  " (" + site.Field("SiteName").ToText() + ")";
  }
  EndCalloutRun(c);
  // Shown once the run is over, so it waits for the operator instead of
  // going into a session's log.
  c.rt.MsgBox("The automatic callout stopped before calling every site.\r\n" + reason +
                  "\r\n\r\nSites not called:" + not_called,
              ui::vbExclamation, app_info::kTitle);
}

void HangUpCalloutSession(Console& c) {
  auto& st = c.st;
  if (!st.CalloutActive || !st.Online || st.CmdState != lnk::kIdle) return;
  lnk::Delay(c, kEscapeGuardSeconds);
  // The operator may have hung up meanwhile, or started something else.
  if (!st.CalloutActive || !st.Online || st.CmdState != lnk::kIdle) return;
  c.Get<frmProgress>().cmdDisconnect_Click();
}

void EndCalloutRun(Console& c) {
  c.st.CalloutActive = false;
  c.rsCallout.Close();
  c.Get<sites::frmMap>().DrawSites();
}

bool TakeRunMessage(Console& c, std::string_view prompt) {
  if (!c.st.CalloutActive) return false;
  LogLine(c, std::string(prompt));
  // A message after the hang-up (the export cannot be written) still goes
  // with the session's site.
  if (c.st.SessionLogStored) lnk::StoreConnectLog(c);
  return true;
}

}  // namespace app
