#include "sites/alarm_report.h"

#include <optional>

#include "app/console.h"
#include "app/frm_alarm.h"
#include "common/shared_state.h"
#include "common/vb.h"
#include "link/reply_tokens.h"
#include "sites/frm_map.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"

namespace sites {

namespace {

constexpr std::size_t kFlagCount = 16;

// The stored form of a reported site number; nothing unless the token is a
// unit's number (0 to 65535), so a report without one matches no row.
std::optional<std::int16_t> ReportedSite(const std::string& token) {
  if (token.empty() || token.size() > 5 || token.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return StoredSiteNum(static_cast<std::int64_t>(vb::Val(token)));
}

}  // namespace

std::vector<std::string> ActiveAlarmNames(const std::string& flags) {
  std::vector<std::string> names;
  for (std::size_t i = 1; i <= kFlagCount && i <= flags.size(); ++i)
    if (flags[i - 1] == '1') names.emplace_back(common::AlarmName[i]);
  return names;
}

bool WellFormedAlarmFlags(const std::string& flags) {
  return flags.size() == kFlagCount && flags.find_first_not_of("01") == std::string::npos;
}

void ProcessAlarmReport(app::Console& c) {
  auto& st = c.st;
  const std::size_t report = st.RxText.find("Alarm Report");
  if (report == std::string::npos) {
    st.RxBuffer.clear();
    st.RxText.clear();
    return;
  }
  st.RxBuffer = st.RxText.substr(report);
  st.RxText.clear();

  auto& window = c.NewInstance<app::frmAlarm>();
  window.Show();
  const std::string site = lnk::NextIntToken(st.RxBuffer);
  window.txtSite.Text = site;
  bool found = false;
  if (auto stored = ReportedSite(site)) {
    c.rsShared = c.Db.OpenRecordset(AlarmReportQuery(*stored));
    found = !c.rsShared.Eof();
    if (found && !c.rsShared.Field("SiteName").IsNull())
      window.txtSite.Text = site + "  (" + c.rsShared.Field("SiteName").ToText() + ")";
  }
  const std::string month = lnk::NextIntToken(st.RxBuffer);
  window.txtDate.Text = month + " / " + lnk::NextIntToken(st.RxBuffer);
  const std::string hour = lnk::NextIntToken(st.RxBuffer);
  window.txtTime.Text = hour + " : " + lnk::NextIntToken(st.RxBuffer);

  const std::size_t flags_at = st.RxBuffer.find_first_of("01");
  st.RxBuffer = flags_at == std::string::npos ? std::string() : st.RxBuffer.substr(flags_at);
  window.lstAlarms.Clear();
  for (const std::string& name : ActiveAlarmNames(st.RxBuffer)) window.lstAlarms.AddItem(name);

  const std::string flags = st.RxBuffer.substr(0, kFlagCount);
  if (found && WellFormedAlarmFlags(flags)) {
    c.rsShared.Edit();
    c.rsShared.Fields("Alarms") = flags;
    c.rsShared.Fields("SiteColor") = kSiteColorAlarm;
    c.rsShared.Update();
  }
  c.rsShared.Close();
  c.Get<frmMap>().DrawSites();
  st.RxBuffer.clear();
}

void UpdateSiteAlarms(app::Console& c) {
  const std::string& flags = c.st.AlarmFlags;
  c.rsShared = c.Db.OpenRecordset(SessionAlarmUpdateQuery(c.st.SelectedSiteID));
  if (c.rsShared.Eof()) return;
  if (flags.size() == kFlagCount) {
    c.rsShared.Edit();
    c.rsShared.Fields("Alarms") = flags;
    c.rsShared.Fields("SiteColor") = vb::Val(flags) != 0 ? kSiteColorAlarm : kSiteColorNormal;
    c.rsShared.Update();
  }
  c.Get<frmMap>().DrawIcon();
}

}  // namespace sites
