#include "link/log_download.h"

#include <cstdint>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_monitor.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/log_records.h"
#include "link/reply_tokens.h"
#include "sites/site_queries.h"

namespace lnk {

namespace {

// Adds the day's row for the called site unless the site has one for that
// day already: a row once stored is never changed.
void StoreLogDay(app::Console& c, std::int32_t key, const LogDayRecord& record) {
  auto& rs = c.rsShared;
  rs = c.Db.OpenRecordset(sites::LogDayQuery(c.st.SelectedSiteNum, key));
  // A query that failed leaves the recordset closed: nothing is known, so
  // nothing is added.
  if (rs.IsOpen() && rs.Eof()) {
    rs.AddNew();
    for (size_t i = 0; i < record.values.size(); ++i)
      rs.Fields(sites::kLogValueColumns[i]) = vb::Val(record.values[i]);
    rs.Fields("DataDate") = key;
    rs.Fields("SiteNum") = static_cast<std::int32_t>(c.st.SelectedSiteNum);
    if (rs.Update()) c.st.LogDownloaded = true;
  }
  rs.Close();
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
  for (int i = 0; i < kLogDays; ++i) {
    const LogDayRecord record = NextLogRecord(st.RxBuffer);
    if (const auto key = LogDayKey(record, today)) StoreLogDay(c, *key, record);
  }
  st.CmdState = kSiteLog;
  st.AutoNext = true;
  SendCommand(c);
}

}  // namespace lnk
