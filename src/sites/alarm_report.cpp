#include "sites/alarm_report.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

#include "app/console.h"
#include "app/frm_alarm.h"
#include "common/shared_state.h"
#include "common/vb.h"
#include "common/whole_number.h"
#include "link/reply_tokens.h"
#include "sites/frm_map.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"

namespace sites {

namespace {

constexpr std::size_t kFlagCount = 16;
constexpr std::string_view kReportWords = "Alarm Report";
constexpr std::string_view kCallEnd = "NO CARRIER";

bool IsNumber(const std::string& token) {
  return !token.empty() && token.find_first_not_of("0123456789") == std::string::npos;
}

// The stored form of a reported site number; nothing unless the token is a
// unit's number (0 to 65535, leading zeros allowed), so a report without one
// matches no row.
std::optional<std::int16_t> ReportedSite(const std::string& token) {
  if (!IsNumber(token)) return std::nullopt;
  // Leading zeros take none of the whole number's ten digits.
  const std::size_t first_digit = std::min(token.find_first_not_of('0'), token.size() - 1);
  const auto number = common::WholeNumber(std::string_view(token).substr(first_digit));
  return number ? StoredSiteNum(*number) : std::nullopt;
}

// The reports in text, which begins with the words of the first: each runs
// to the words of the next, or to the modem's "NO CARRIER" before them. So a
// report cut off by a lost call keeps to its own text and never reads its
// numbers or flags from the report that follows.
std::vector<std::string> SplitReports(const std::string& text) {
  std::vector<std::string> reports;
  const std::string upper = vb::UCase(text);
  std::size_t at = 0;
  while (at != std::string::npos) {
    const std::size_t next = text.find(kReportWords, at + kReportWords.size());
    const std::size_t call_end = upper.find(kCallEnd, at + kReportWords.size());
    const std::size_t end = std::min(next, call_end);
    reports.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    at = next;
  }
  return reports;
}

// One report in a new alarm window; the site's row takes its flags only
// when the whole report came: the site, date, time and a run of exactly
// sixteen flags.
void ProcessOneReport(app::Console& c, std::string& rx) {
  auto& window = c.NewInstance<app::frmAlarm>();
  window.Show();
  const std::string site = lnk::NextIntToken(rx);
  window.txtSite.Text = site;
  bool found = false;
  if (auto stored = ReportedSite(site)) {
    c.rsShared = c.Db.OpenRecordset(AlarmReportQuery(*stored));
    found = !c.rsShared.Eof();
    if (found && !c.rsShared.Field("SiteName").IsNull())
      window.txtSite.Text = site + "  (" + c.rsShared.Field("SiteName").ToText() + ")";
  }
  std::string date_time[4];
  for (std::string& token : date_time) token = lnk::NextIntToken(rx);
  window.txtDate.Text = date_time[0] + " / " + date_time[1];
  window.txtTime.Text = date_time[2] + " : " + date_time[3];

  const std::size_t flags_at = rx.find_first_of("01");
  rx = flags_at == std::string::npos ? std::string() : rx.substr(flags_at);
  window.lstAlarms.Clear();
  for (const std::string& name : ActiveAlarmNames(rx)) window.lstAlarms.AddItem(name);

  const std::string flags = rx.substr(0, rx.find_first_not_of("01"));
  const bool whole = std::all_of(std::begin(date_time), std::end(date_time), IsNumber) &&
                     WellFormedAlarmFlags(flags);
  if (found && whole) {
    c.rsShared.Edit();
    c.rsShared.Fields("Alarms") = flags;
    c.rsShared.Fields("SiteColor") = kSiteColorAlarm;
    c.rsShared.Update();
  }
  c.rsShared.Close();
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
  const std::size_t report = st.RxText.find(kReportWords);
  if (report == std::string::npos) {
    st.RxBuffer.clear();
    st.RxText.clear();
    return;
  }
  const std::string text = st.RxText.substr(report);
  st.RxText.clear();
  for (const std::string& one : SplitReports(text)) {
    st.RxBuffer = one;
    ProcessOneReport(c, st.RxBuffer);
  }
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
