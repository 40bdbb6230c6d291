// The year's log list of the selected site: a line per day, newest first,
// "n/a" without a record, and the extremes kept for each column.
#include <gtest/gtest.h>

#include "data_logs_fixture.h"
#include "sites/data_log_list.h"
#include "sites/frm_log.h"

namespace logtest {
namespace {

TEST_F(DataLogs, AnEmptyTableListsTheYearsDaysAsNotAvailable) {
  sites::FillDataLogList(h.console);
  const auto& log = h.console.Get<sites::frmLog>();
  ASSERT_EQ(log.lstLog.Count(), 366);
  EXPECT_EQ(log.lstLog.Item(1).key, "k20260302");
  EXPECT_EQ(log.lstLog.Item(1).text, "2026/03/02");
  EXPECT_EQ(log.lstLog.Item(366).key, "k20250302");
  for (int i = 1; i <= 366; ++i)
    ASSERT_EQ(log.lstLog.Item(i).sub_items, std::vector<std::string>(14, "n/a")) << i;
  for (int e = 1; e <= 16; ++e) EXPECT_EQ(log.LogExtremes[static_cast<size_t>(e)], -999.0f);
  EXPECT_EQ(h.rt.MousePointers(), (std::vector<int>{ui::vbHourglass, ui::vbDefault}));
}

TEST_F(DataLogs, ListsTheSitesDaysOfTheYearWithTheirExtremesTheSameEachTime) {
  AddDay(20260301, 13.2, 12.3);
  AddDay(20250315, 14.1, 11.9);
  AddDay(20260228, 15.0, 10.0, /*site_num=*/13);
  AddDay(20250301, 15.0, 10.0);  // 366 days back: not in the year
  h.console.st.LogDownloaded = true;
  const auto& log = h.console.Get<sites::frmLog>();
  for (int fill = 1; fill <= 2; ++fill) {
    sites::FillDataLogList(h.console);
    ASSERT_EQ(log.lstLog.Count(), 366);
    EXPECT_EQ(log.lstLog.Item(2).sub_items[0], "13.2");
    EXPECT_EQ(log.lstLog.Item(3).sub_items[0], "n/a") << "another site's day";
    const int at = log.lstLog.FindKey("k20250315");
    ASSERT_GT(at, 0);
    EXPECT_EQ(log.lstLog.Item(at).text, "2025/03/15");
    EXPECT_EQ(log.lstLog.Item(at).sub_items[13], "12");
    EXPECT_FLOAT_EQ(log.LogExtremes[1], 14.1f);
    EXPECT_FLOAT_EQ(log.LogExtremes[2], 11.9f);
    EXPECT_EQ(log.LogExtremes[3], 1.0f);  // both rows hold 1 there
    EXPECT_EQ(log.LogExtremes[16], 12.0f);
    EXPECT_FALSE(h.console.st.LogDownloaded);
  }
  EXPECT_EQ(sites::DateKey(vb::MakeDateTime(2026, 7, 4)), "20260704");
}

}  // namespace
}  // namespace logtest
