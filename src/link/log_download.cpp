#include "link/log_download.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_monitor.h"
#include "app/session_log.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/log_records.h"
#include "link/reply_tokens.h"
#include "sites/data_log_list.h"
#include "sites/site_queries.h"

namespace lnk {

namespace {

// Adds the day's row for the called site unless the site has one for that
// day already: a row once stored is never changed. The reason, when the
// look-up or the insert fails.
std::optional<std::string> StoreLogDay(app::Console& c, std::int32_t key,
                                       const LogDayRecord& record) {
  auto& rs = c.rsShared;
  rs = c.Db.OpenRecordset(sites::LogDayQuery(c.st.SelectedSiteNum, key), {},
                          platform::ReadFailure::ByCaller);
  std::optional<std::string> failed;
  if (!rs.IsOpen()) {
    failed = rs.Error();
  } else if (rs.Eof()) {
    rs.AddNew();
    for (size_t i = 0; i < record.values.size(); ++i)
      rs.Fields(sites::kLogValueColumns[i]) = vb::Val(record.values[i]);
    rs.Fields("DataDate") = key;
    rs.Fields("SiteNum") = static_cast<std::int32_t>(c.st.SelectedSiteNum);
    if (rs.Update())
      c.st.LogDownloaded = true;
    else
      failed = rs.Error();
  }
  rs.Close();
  return failed;
}

}  // namespace

void OnLogPreambleReply(app::Console& c) {
  auto& st = c.st;
  // The two numbers in front of the preamble have no use here.
  NextIntToken(st.RxBuffer);
  NextIntToken(st.RxBuffer);
  st.CmdState = kLogDownload;
  st.ProgressActive = true;
  st.ProgressCount = 0;
  auto& monitor = c.Get<app::frmMonitor>();
  monitor.ProgressBar1.Value = 0;
  monitor.ProgressBar1.Max = 360;
  monitor.txtCaption.Text = "Downloading Log data...";
  monitor.Show(false, &c.Get<app::frmMain>());
  st.AutoNext = false;
  SendCommand(c);
}

void OnLogReply(app::Console& c) {
  auto& st = c.st;
  st.ProgressActive = false;
  c.Get<app::frmMonitor>().Hide();
  const vb::DateTime today = vb::DatePart(c.rt.Now());
  std::string lost_days;
  std::string first_reason;
  for (const std::string_view line : LogRecordLines(st.RxBuffer)) {
    const auto record = ReadLogRecord(line);
    const auto key = record ? LogDayKey(*record, today) : std::nullopt;
    if (!key) continue;  // a spoilt or impossible day is passed over
    if (auto reason = StoreLogDay(c, *key, *record)) {
      // A day the database refused is told, in the session's log as well:
      // the unit keeps its week, so it can be fetched again.
      const std::string day = sites::DayText(vb::CStr(*key));
      app::LogLine(c, "Log data for " + day + " could not be stored: " + *reason);
      lost_days += (lost_days.empty() ? "" : ", ") + day;
      if (first_reason.empty()) first_reason = *reason;
    }
  }
  if (!lost_days.empty())
    c.rt.MsgBox("Log data for " + lost_days + " could not be stored: " + first_reason,
                ui::vbExclamation, app_info::kTitle);
  st.CmdState = kSiteLog;
  st.AutoNext = true;
  SendCommand(c);
}

}  // namespace lnk
