// The unit's daily log into tData (the year rule, records passed over
// without losing the place of the next, a day stored once), the year's list
// of the selected site, and the whole road in a text session on the cable.
#include <gtest/gtest.h>

#include <optional>

#include "app/frm_main.h"
#include "common/vb.h"
#include "data_logs_fixture.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/log_records.h"
#include "link/reply_state_machine.h"
#include "simulated_site.h"
#include "sites/data_log_list.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"

namespace logtest {
namespace {

TEST(LogDayKey, TakesTheYearBeforeForADayMoreThan180DaysAwayAndPassesOverNonDays) {
  const struct {
    int year, month, day;  // today
    const char* record;    // month and day
    std::optional<int> key;
  } cases[] = {{2026, 1, 15, "12 28", 20251228}, {2026, 1, 15, "01 14", 20260114},
               {2025, 6, 30, "01 01", 20250101}, {2025, 7, 1, "01 01", 20240101},
               {2026, 3, 2, "7 4", 20260704},    {2026, 3, 2, "13 01", std::nullopt},
               {2026, 3, 2, "02 30", std::nullopt}, {2026, 3, 2, "", std::nullopt},
               {2028, 10, 1, "02 29", std::nullopt}};  // 2027 has no 29 February
  for (const auto& c : cases) {
    std::string rx = c.record;
    EXPECT_EQ(lnk::LogDayKey(lnk::NextLogRecord(rx), vb::MakeDateTime(c.year, c.month, c.day)),
              c.key) << c.record << " on " << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST_F(DataLogs, StoresEachNewDayOnceAndNeverChangesAStoredDay) {
  AddDay(20260225, 99, 98);
  auto& st = h.console.st;
  for (bool first : {true, false}) {
    st.LogDownloaded = false;
    st.CmdState = lnk::kLogDownload;
    st.RxBuffer = "02/23 1425 1205 1420 1198 48 5 27 14 33 12 22 -3 1480 1030\n\r"
                  "13/24 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n\r02/30 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n\r"
                  "02/25 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n\r02/26 1 2 3 4 5 6 7 8 9 10 11 12 13 14";
    lnk::ProcessReply(h.console);
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(st.LogDownloaded, first);
    EXPECT_EQ(st.CmdState, lnk::kSiteLog) << "\"Pp\" follows";
  }
  auto rs = h.console.Db.OpenRecordset("SELECT * FROM tData ORDER BY DataDate");
  EXPECT_EQ(rs.Field("VBattMax").ToDouble(), 14.25);
  EXPECT_EQ(rs.Field("TOutMin").ToDouble(), -3);
  EXPECT_EQ(rs.Field("AHLoad").ToDouble(), 103);
  rs.MoveNext();
  EXPECT_EQ(rs.Field("VBattMax").ToDouble(), 99) << "the stored day keeps its values";
  rs.MoveNext();
  EXPECT_EQ(rs.Field("DataDate").ToLong(), 20260226) << "read in its place after two non-days";
  EXPECT_EQ(rs.Field("AHLoad").ToDouble(), 1.4);
}

TEST_F(DataLogs, ListsTheYearNewestFirstWithTheSitesDaysAndTheirExtremes) {
  const auto& log = h.console.Get<sites::frmLog>();
  sites::FillDataLogList(h.console);
  ASSERT_EQ(log.lstLog.Count(), 366);
  EXPECT_EQ(log.lstLog.Item(1).key + log.lstLog.Item(1).text, "k202603022026/03/02");
  EXPECT_EQ(log.lstLog.Item(366).key, "k20250302");
  EXPECT_EQ(log.lstLog.Item(366).sub_items, std::vector<std::string>(14, "n/a"));
  EXPECT_EQ(log.LogExtremes[1], -999.0f);
  EXPECT_EQ(h.rt.MousePointers(), (std::vector<int>{ui::vbHourglass, ui::vbDefault}));

  AddDay(20260301, 13.2, 12.3);
  AddDay(20250315, 14.1, 11.9);
  AddDay(20260228, 15, 10, /*site_num=*/13);
  AddDay(20250301, 15, 10);  // 366 days back
  for (int fill = 1; fill <= 2; ++fill) {
    sites::FillDataLogList(h.console);
    ASSERT_EQ(log.lstLog.Count(), 366);
    EXPECT_EQ(log.lstLog.Item(2).sub_items[0], "13.2");
    EXPECT_EQ(log.lstLog.Item(3).sub_items[0], "n/a") << "another site's day";
    const ui::ListItem& day = log.lstLog.Item(log.lstLog.FindKey("k20250315"));
    EXPECT_EQ(day.text + " " + day.sub_items[13], "2025/03/15 12");
    EXPECT_FLOAT_EQ(log.LogExtremes[1], 14.1f);
    EXPECT_FLOAT_EQ(log.LogExtremes[2], 11.9f);
  }
}

TEST_F(DataLogs, TextSessionDownloadsTheWeekOnceListsAndGraphsIt) {
  testkit::SimulatedSite unit(h, sim::UnitConfig{.firmware = 30100, .address = 12});
  unit.AttachSerial(/*modem=*/false);
  auto& c = h.console;
  auto& main = c.Get<app::frmMain>();
  const char* prompt = "Enter a filename for this data (no extension):";
  h.rt.Operator().ExpectInputBox(prompt, "north week").ExpectInputBox(prompt, "");
  auto download = [&] {  // as a caller starts it: state 20, no chaining
    c.st.CmdState = lnk::kLogPreamble;
    c.st.AutoNext = false;
    lnk::SendCommand(c);
  };
  h.rt.After(60'000, download);
  h.rt.After(120'000, download);
  h.rt.After(180'000, [&] { main.mnuDisconnect.Choose(); });
  h.rt.After(190'000, [&] { c.st.StopReceive = true; });
  main.mnuDirect.Choose();

  EXPECT_EQ(Rows(), 7) << "the second download adds nothing";
  EXPECT_EQ(unit.Unit().Commands(),
            (std::vector<std::string>{"D", "U", "V", "V", "L", "Pp", "V", "L", "Pp"}));
  EXPECT_NE(c.folder.ReadFile("north week.vkx").value_or("").find("Site log 12"), std::string::npos);

  main.tbToolBar.Press("Log");
  const auto& log = c.Get<sites::frmLog>();
  EXPECT_TRUE(log.Visible() && log.txtSite.Text() == "North");
  EXPECT_EQ(log.lstLog.Item(2).sub_items[0], vb::CStr(unit.Unit().Log().back().vbatt_max / 100.0));
  ui::ToolbarButton graphs_key(main.tbToolBar, 99);
  graphs_key.Key = "Graphs";
  main.tbToolBar_ButtonClick(graphs_key);
  auto& graphs = c.Get<sites::frmGraphs>();
  graphs.chkGraph[0].Press();
  int above_zero = 0;  // the week's points stand above the days without a record
  for (const auto& line : graphs.picGraph.Drawing().OfKind<ui::DrawLine>())
    above_zero += line.color == graphs.chkGraph[0].BackColor() && line.y2 < 4800;
  EXPECT_EQ(above_zero, 7);
}

}  // namespace
}  // namespace logtest
