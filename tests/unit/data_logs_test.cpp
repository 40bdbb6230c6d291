// The unit's daily log into tData (the year rule, records passed over
// without losing the place of the next, a day stored once), the year's list
// of the selected site, and the whole road in a text session on the cable.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string_view>

#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "common/vb.h"
#include "data_logs_fixture.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/log_records.h"
#include "link/receive_loop.h"
#include "link/reply_tokens.h"
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
    lnk::LogDayRecord record;
    record.month = lnk::NextIntToken(rx);
    record.day = lnk::NextIntToken(rx);
    EXPECT_EQ(lnk::LogDayKey(record, vb::MakeDateTime(c.year, c.month, c.day)), c.key)
        << c.record << " on " << c.year << "-" << c.month << "-" << c.day;
  }
}

// A record is one line of sixteen whole numbers, each value with the decimal
// point of its own column; a line that lost, gained or garbled a number is
// no record at all.
TEST(LogRecord, EachValueTakesItsColumnsScaleAndASpoiltLineIsNoRecord) {
  const std::string whole = "02/23 1425 1205 1420 1198 48 5 27 14 33 12 22 -3 1480 1030";
  const auto record = lnk::ReadLogRecord(whole);
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->month + "/" + record->day, "02/23");
  EXPECT_EQ(record->values,
            (std::array<std::string, 14>{"14.25", "12.05", "14.20", "11.98", "4.8", "0.5", "27", "14",
                                         "33", "12", "22", "-3", "148.0", "103.0"}));
  for (const char* spoilt : {
           "02/23 1425 1205 1420 1198 48 5 27 14 33 12 22 -3 1480",         // cut short
           "02/23 1425 1205 1420 1198 48 5 27 14 33 12 22 -3 1480 1030 7",  // one too many
           "02/23 1425 --- 1420 1198 48 5 27 14 33 12 22 -3 1480 1030",     // a missing number
           "02/23 1425 1205 14-20 1198 48 5 27 14 33 12 22 -3 1480 1030",   // garbled
           "02/23 1425 1205 1420 1198 48 5 27 14 33 12 22 - 1480 1030",
           "02/23 1425 1205 1420 1198 48 5 27 14 33 12 22 -3 14801030101 1030",  // no unit's number
           ""})
    EXPECT_FALSE(lnk::ReadLogRecord(spoilt).has_value()) << spoilt;

  EXPECT_EQ(lnk::LogRecordLines("L\r\n\n\r1 2\n\rnoise\r\n3 4\n\r\n\r5"),
            (std::vector<std::string_view>{"1 2", "3 4"}))
      << "text after the last line end is cut off";
}

TEST_F(DataLogs, StoresEachNewDayOnceAndNeverChangesAStoredDay) {
  AddDay(20260225, 99, 98);
  auto& st = h.console.st;
  for (bool first : {true, false}) {
    st.LogDownloaded = false;
    st.CmdState = lnk::kLogDownload;
    st.RxBuffer = "02/23 1425 1205 1420 1198 48 5 27 14 33 12 22 -3 1480 1030\n\r"
                  "13/24 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n\r02/30 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n\r"
                  "02/25 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n\r02/26 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n";
    lnk::ProcessReply(h.console);
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(st.LogDownloaded, first);
    EXPECT_EQ(st.CmdState, lnk::kSiteLog) << "\"Pp\" follows";
  }
  EXPECT_EQ(StoredDays(), "20260223 14.25 12.05 14.2 11.98 4.8 0.5 27 14 33 12 22 -3 148 103\n"
                         "20260225 99 98 1 2 3 4 5 6 7 8 9 10 11 12\n"  // kept as it was
                         "20260226 0.01 0.02 0.03 0.04 0.5 0.6 7 8 9 10 11 12 1.3 1.4\n");
}

// The reply comes as seven lines, one day each: a line that lost a number,
// holds "---" or was cut off by the reply's end spoils its own day, which
// is passed over (a stored day is never replaced, so a wrong one would stay
// for good); the days around it are stored as the unit sent them.
TEST_F(DataLogs, ADayWithAMissingNumberIsPassedOverAndSpoilsNoOtherDay) {
  auto& st = h.console.st;
  st.CmdState = lnk::kLogDownload;
  st.RxBuffer = "02/21 1301 1201 1302 1202 31 1 21 11 22 12 23 -1 301 201\n\r"
                "02/22 1302 --- 1303 1203 32 2 22 12 23 13 24 -2 302 202\n\r"
                "02/23 1303 1203 1304 1204 33 3 23 13 24 14 25 -3 303 203\n\r"
                "02/24 1304 1204 1305 1205 34 4 24 14 25 15 26 -4 304\n\r"  // a number lost
                "02/25 1305 1205 1306 1206 35 5 25 15 26 16 27 -5 305 205\n\r"
                "02/26 1306 1206 1307 1207 36 6 26 16 27 17 28 -6 306 206\n\r"
                "02/27 1307 1207 1308 1208 37 7 27 17 28";  // the reply's end came
  lnk::ProcessReply(h.console);
  EXPECT_EQ(StoredDays(), "20260221 13.01 12.01 13.02 12.02 3.1 0.1 21 11 22 12 23 -1 30.1 20.1\n"
                         "20260223 13.03 12.03 13.04 12.04 3.3 0.3 23 13 24 14 25 -3 30.3 20.3\n"
                         "20260225 13.05 12.05 13.06 12.06 3.5 0.5 25 15 26 16 27 -5 30.5 20.5\n"
                         "20260226 13.06 12.06 13.07 12.07 3.6 0.6 26 16 27 17 28 -6 30.6 20.6\n");
  EXPECT_EQ(st.CmdState, lnk::kSiteLog);
}

// A day is a line the unit closed: the piece after the last line end, left
// when the reply was cut (the line count reached by a blank line in front,
// or the link going quiet mid-number so that the silence ended it), may be
// whole digits short and is passed over; a blank line in front shifts no
// day. Through the receive loop as well as straight to the handler.
TEST_F(DataLogs, ARecordCutInsideItsLastNumberIsPassedOverAndABlankLineShiftsNoDay) {
  const std::string week = "02/21 1301 1201 1302 1202 31 1 21 11 22 12 23 -1 301 201\n\r"
                           "02/22 1302 1202 1303 1203 32 2 22 12 23 13 24 -2 302 202\n\r"
                           "02/23 1303 1203 1304 1204 33 3 23 13 24 14 25 -3 303 203\n\r"
                           "02/24 1304 1204 1305 1205 34 4 24 14 25 15 26 -4 304 204\n\r"
                           "02/25 1305 1205 1306 1206 35 5 25 15 26 16 27 -5 305 205\n\r"
                           "02/26 1306 1206 1307 1207 36 6 26 16 27 17 28 -6 306 206\n\r";
  const std::string last = "02/27 1307 1207 1308 1208 37 7 27 17 28 18 29 -7 307 207";
  const std::string six_days = "20260221 13.01 12.01 13.02 12.02 3.1 0.1 21 11 22 12 23 -1 30.1 20.1\n"
                               "20260222 13.02 12.02 13.03 12.03 3.2 0.2 22 12 23 13 24 -2 30.2 20.2\n"
                               "20260223 13.03 12.03 13.04 12.04 3.3 0.3 23 13 24 14 25 -3 30.3 20.3\n"
                               "20260224 13.04 12.04 13.05 12.05 3.4 0.4 24 14 25 15 26 -4 30.4 20.4\n"
                               "20260225 13.05 12.05 13.06 12.06 3.5 0.5 25 15 26 16 27 -5 30.5 20.5\n"
                               "20260226 13.06 12.06 13.07 12.07 3.6 0.6 26 16 27 17 28 -6 30.6 20.6\n";
  const struct {
    const char* what;
    std::string reply;
    bool through_loop;  // delivered on the line, ended by the silence
    std::string days;
  } cases[] = {
      {"cut inside the last number", week + last.substr(0, last.size() - 2), false, six_days},
      {"quiet mid-number", week + last.substr(0, last.size() - 2), true, six_days},
      {"a blank line in front", "\n\r" + week + last + "\n\r", false, six_days + "20260227 13.07 12.07 13.08 12.08 3.7 0.7 27 17 28 18 29 -7 30.7 20.7\n"},
  };
  auto& st = h.console.st;
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    ASSERT_FALSE(h.console.Db.Execute("DELETE FROM tData"));
    if (k.through_loop) {
      h.serial.SetPortOpen(true);
      h.serial.peer = [&](std::string_view b) {
        if (b == "L") h.serial.Deliver(k.reply, 100);
      };
      h.rt.After(5'500, [&] { st.StopReceive = true; });  // the reply's 5 s of silence have passed
      st.CmdState = lnk::kLogDownload;
      st.AutoNext = false;
      lnk::SendCommand(h.console);
      lnk::ReceiveLoop(h.console);
    } else {
      st.CmdState = lnk::kLogDownload;
      st.RxBuffer = k.reply;
      lnk::ProcessReply(h.console);
    }
    EXPECT_EQ(StoredDays(), k.days);
    EXPECT_EQ(st.CmdState, lnk::kSiteLog);
  }
}

// A day the database does not take is told to the operator and kept in the
// session's log, not passed over in silence; the other days are stored.
TEST_F(DataLogs, ADayTheDatabaseRefusesIsReportedInAMessageAndTheSessionLog) {
  const struct {
    const char* sql;   // how the database fails
    const char* undo;
    const char* lost;  // the days told
    long rows;
  } cases[] = {
      {"CREATE TRIGGER refuse BEFORE INSERT ON tData WHEN NEW.DataDate=20260224 "
       "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END",
       "DROP TRIGGER refuse", "2026/02/24", 1},
      {"ALTER TABLE tData RENAME TO tDataElsewhere", "ALTER TABLE tDataElsewhere RENAME TO tData",
       "2026/02/23, 2026/02/24", 0},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.sql);
    auto& c = h.console;
    ASSERT_FALSE(c.Db.Execute("DELETE FROM tData"));
    ASSERT_FALSE(c.Db.Execute(k.sql));
    c.Get<app::frmProgress>().txtLog.Text = "";
    c.st.CmdState = lnk::kLogDownload;
    c.st.RxBuffer = "02/23 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n\r02/24 1 2 3 4 5 6 7 8 9 10 11 12 13 14\n";
    Op().ExpectMsgBox("~Log data for " + std::string(k.lost) + " could not be stored: ", ui::vbOK,
                      "VKX-4700");
    lnk::ProcessReply(c);
    const std::string log = c.Get<app::frmProgress>().txtLog.Text();
    EXPECT_NE(log.find("Log data for 2026/02/24 could not be stored: "), std::string::npos) << log;
    EXPECT_EQ(c.st.CmdState, lnk::kSiteLog) << "\"Pp\" follows all the same";
    ASSERT_FALSE(c.Db.Execute(k.undo));
    EXPECT_EQ(Rows(), k.rows);
  }
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

// A list the database cannot give is told, and no empty year is shown as
// the site's log; the next Log click reads it again.
TEST_F(DataLogs, AListTheDatabaseCannotGiveIsReportedAndNotShownAsAnEmptyYear) {
  auto& c = h.console;
  auto& main = c.Get<app::frmMain>();
  const auto& log = c.Get<sites::frmLog>();
  AddDay(20260301, 13.2, 12.3);
  c.st.LogDownloaded = true;
  c.st.EepromImage = std::string(301, '\0');  // a unit's data was loaded, as the button needs
  ASSERT_FALSE(c.Db.Execute("ALTER TABLE tData RENAME TO tDataElsewhere"));
  Op().ExpectMsgBox("~The data log could not be read: ", ui::vbOK, "VKX-4700");
  main.tbToolBar.Press("Log");
  EXPECT_FALSE(log.Visible());
  EXPECT_EQ(log.lstLog.Count(), 0);
  EXPECT_TRUE(c.st.LogDownloaded) << "the new rows are still to be read";
  EXPECT_EQ(h.rt.MousePointers().back(), ui::vbDefault);

  ASSERT_FALSE(c.Db.Execute("ALTER TABLE tDataElsewhere RENAME TO tData"));
  main.tbToolBar.Press("Log");
  EXPECT_TRUE(log.Visible());
  ASSERT_EQ(log.lstLog.Count(), 366);
  EXPECT_EQ(log.lstLog.Item(2).sub_items[0], "13.2");
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
