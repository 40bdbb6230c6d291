#include "sites/data_log_list.h"

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/console.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "sites/frm_log.h"
#include "sites/log_columns.h"
#include "sites/site_queries.h"

namespace sites {

namespace {

constexpr int kListedDays = 366;  // today and the 365 days before it
constexpr const char* kNoValue = "n/a";

// The extremes a list column feeds: the index of its largest and of its
// smallest value in LogExtremes, 0 for none.
struct ExtremeSlots {
  int largest;
  int smallest;
};
constexpr std::array<ExtremeSlots, kLogValueCount> kExtremeSlots = {{
    {1, 0}, {0, 2}, {3, 0}, {0, 4}, {5, 0}, {0, 6}, {7, 0},
    {0, 8}, {9, 0}, {0, 10}, {11, 0}, {0, 12}, {13, 14}, {15, 16}}};

void Widen(LogExtremeTable& extremes, const ExtremeSlots& slots, float value) {
  auto unset = [](float e) { return e == kUnsetExtreme; };
  if (slots.largest != 0) {
    float& e = extremes[static_cast<size_t>(slots.largest)];
    if (unset(e) || value > e) e = value;
  }
  if (slots.smallest != 0) {
    float& e = extremes[static_cast<size_t>(slots.smallest)];
    if (unset(e) || value < e) e = value;
  }
}

// YYYYMMDD as a number (the year has four digits for any date shown).
std::int32_t DayNumberKey(vb::DateTime d) {
  return vb::Year(d) * 10000 + vb::Month(d) * 100 + vb::Day(d);
}

}  // namespace

std::string DayText(const std::string& key) {
  return key.substr(0, 4) + "/" + key.substr(4, 2) + "/" + key.substr(6, 2);
}

std::string DateKey(vb::DateTime d) { return vb::CStr(DayNumberKey(d)); }

bool FillDataLogList(app::Console& c) {
  c.rt.SetMousePointer(ui::vbHourglass);
  auto& log = c.Get<frmLog>();
  log.LogExtremes.fill(kUnsetExtreme);

  const vb::DateTime now = c.rt.Now();
  auto& rs = c.rsShared;
  rs = c.Db.OpenRecordset(LogRangeQuery(c.st.SelectedSiteNum,
                                        DayNumberKey(now + -365 * vb::kMsPerDay), DayNumberKey(now)),
                        {}, platform::ReadFailure::ByCaller);
  if (!rs.IsOpen()) {
    // A year of "n/a" would say the site has no log; nothing is listed and
    // the new rows stay to be read.
    const std::string reason = rs.Error();
    rs.Close();
    log.lstLog.Clear();
    log.ShowSite("");
    c.rt.SetMousePointer(ui::vbDefault);
    c.rt.MsgBox("The data log could not be read: " + reason, ui::vbExclamation, app_info::kTitle);
    return false;
  }

  std::vector<ui::ListItem> items;
  items.reserve(kListedDays);
  std::unordered_map<std::int32_t, size_t> item_of_day(kListedDays);
  for (int back = 0; back < kListedDays; ++back) {
    const std::int32_t day = DayNumberKey(now + -static_cast<std::int64_t>(back) * vb::kMsPerDay);
    const std::string key = vb::CStr(day);
    item_of_day.emplace(day, items.size());
    items.push_back(ui::ListItem{"k" + key, DayText(key),
                                 std::vector<std::string>(kLogValueCount, kNoValue), {}, false,
                                 0});
  }
  for (; !rs.Eof(); rs.MoveNext()) {
    // A stored day that is no calendar day has no line to go to.
    const auto at = item_of_day.find(rs.Field("DataDate").ToLong());
    if (at == item_of_day.end()) continue;
    ui::ListItem& item = items[at->second];
    for (size_t j = 0; j < kLogValueColumns.size(); ++j) {
      const platform::Variant value = rs.Field(kLogValueColumns[j]);
      if (value.IsNull()) continue;  // no value: the cell keeps "n/a"
      item.sub_items[j] = value.ToText();
      Widen(log.LogExtremes, kExtremeSlots[j], static_cast<float>(value.ToDouble()));
    }
  }
  rs.Close();

  log.lstLog.SetItems(std::move(items));
  log.ShowSite(c.st.SelectedSiteName);
  c.st.LogDownloaded = false;
  c.rt.SetMousePointer(ui::vbDefault);
  return true;
}

}  // namespace sites
