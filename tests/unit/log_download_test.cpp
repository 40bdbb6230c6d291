// The unit's daily log into tData: the year rule of a record's day, records
// passed over without losing the place of the next, and rows stored once.
#include <gtest/gtest.h>

#include <optional>

#include "data_logs_fixture.h"
#include "link/command_table.h"
#include "link/log_records.h"
#include "link/reply_state_machine.h"

namespace logtest {
namespace {

TEST(LogDayKey, TakesTheYearBeforeForADayMoreThan180DaysAwayAndPassesOverNonDays) {
  struct Case {
    int year, month, day;  // today
    const char* record;    // "month day"
    std::optional<int> key;
  } cases[] = {
      {2026, 1, 15, "12 28", 20251228}, {2026, 1, 15, "01 14", 20260114},
      {2025, 6, 30, "01 01", 20250101}, {2025, 7, 1, "01 01", 20240101},
      {2026, 3, 2, "7 4", 20260704},    {2026, 3, 2, "13 01", std::nullopt},
      {2026, 3, 2, "02 30", std::nullopt}, {2026, 3, 2, "00 05", std::nullopt},
      {2026, 3, 2, "", std::nullopt},   {2028, 10, 1, "02 29", std::nullopt},
  };
  for (const Case& c : cases) {
    std::string rx = c.record;
    const auto record = lnk::NextLogRecord(rx);
    EXPECT_EQ(lnk::LogDayKey(record, vb::MakeDateTime(c.year, c.month, c.day)), c.key)
        << c.record << " seen from " << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(NextLogRecord, ReadsSixteenTokensWhateverTheMonthAndDaySay) {
  std::string rx = "13/01 1234 1198 1 2 123 5 27 14 33 12 22 -3 1480 1030\n\r"
                   "02/30 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n\r"
                   "02/27 1425 1205 1420 1198 48 5 27 14 33 12 22 -3 1480 1030\n\r"
                   "02/28 1200";
  lnk::NextLogRecord(rx);
  lnk::NextLogRecord(rx);
  const auto third = lnk::NextLogRecord(rx);
  EXPECT_EQ(third.month + "/" + third.day, "02/27");
  EXPECT_EQ(third.values, (std::array<std::string, 14>{"14.25", "12.05", "14.20", "11.98", "4.8",
                                                       "0.5", "27", "14", "33", "12", "22", "-3",
                                                       "148.0", "103.0"}));
  const auto cut = lnk::NextLogRecord(rx);
  EXPECT_EQ(cut.values[0], "12.00");
  EXPECT_EQ(cut.values[1], "---") << "a reply cut short reads as missing numbers";
}

// A week as the unit sends it, 23 February to 1 March, with a day that is no
// day in the middle.
constexpr const char* kWeek =
    "02/23 1425 1205 1420 1198 48 5 27 14 33 12 22 -3 1480 1030\n\r"
    "02/24 1436 1216 1431 1209 59 5 30 9 38 9 33 2 1700 1195\n\r"
    "02/30 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n\r"
    "02/25 1425 1205 1420 1198 48 5 27 14 33 12 22 -3 1480 1030\n\r"
    "02/27 1430 1210 1425 1203 53 5 28 12 35 11 27 0 1580 1105\n\r"
    "02/28 1433 1213 1428 1206 56 5 29 10 36 10 30 1 1640 1150\n\r"
    "03/01 1426 1206 1421 1199 49 5 27 14 33 12 23 -3 1500 1045\n\r";

TEST_F(DataLogs, StoresEachNewDayOnceAndNeverChangesAStoredDay) {
  AddDay(20260225, 99, 98);
  auto& st = h.console.st;
  for (int pass = 1; pass <= 2; ++pass) {
    st.LogDownloaded = false;
    st.CmdState = lnk::kLogDownload;
    st.RxBuffer = kWeek;
    lnk::ProcessReply(h.console);
    EXPECT_EQ(Rows(), 6) << "pass " << pass;
    EXPECT_EQ(st.LogDownloaded, pass == 1) << "pass " << pass;
    EXPECT_EQ(st.CmdState, lnk::kSiteLog) << "\"Pp\" follows";
    EXPECT_TRUE(st.AutoNext);
  }
  auto rs = h.console.Db.OpenRecordset(
      "SELECT * FROM tData WHERE SiteNum = 12 ORDER BY DataDate");
  EXPECT_EQ(rs.Field("DataDate").ToLong(), 20260223);
  EXPECT_EQ(rs.Field("VBattMax").ToDouble(), 14.25);
  EXPECT_EQ(rs.Field("TOutMin").ToDouble(), -3);
  EXPECT_EQ(rs.Field("AHLoad").ToDouble(), 103);
  rs.MoveNext();
  rs.MoveNext();
  EXPECT_EQ(rs.Field("DataDate").ToLong(), 20260225);
  EXPECT_EQ(rs.Field("VBattMax").ToDouble(), 99) << "the stored day keeps its values";
}

}  // namespace
}  // namespace logtest
