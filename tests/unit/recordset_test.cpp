// The recordset semantics the console relies on, on a real file: moving,
// reading with Null, changing rows and finding the changes in the file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "site_database_fixture.h"
#include "sites/site_queries.h"

namespace {

using platform::Variant;
using RecordsetNavigation = sitetest::SeededSiteDatabase;
using RecordsetFields = sitetest::SeededSiteDatabase;
using RecordsetWrites = sitetest::SeededSiteDatabase;
using RecordsetReuse = sitetest::SeededSiteDatabase;
using RecordsetSafety = sitetest::SeededSiteDatabase;

TEST_F(RecordsetNavigation, NoMatchOpensAtEndOfFile) {
  auto rs = db_.OpenRecordset("SELECT SiteID FROM tSites WHERE (SiteID=999);");
  EXPECT_TRUE(rs.IsOpen());
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(rs.Error(), "");
}

TEST_F(RecordsetNavigation, OpensOnFirstRowAndStepsInTableOrder) {
  auto rs = db_.OpenRecordset("tSites");
  ASSERT_FALSE(rs.Eof());
  EXPECT_EQ(rs.Field("SiteID").ToLong(), north_);
  EXPECT_EQ(Names(rs), (std::vector<std::string>{"North", "South", "East"}));
}

TEST_F(RecordsetNavigation, MoveLastThenMoveNextEndsAScan) {
  // The map's hit test: stop at the first match by moving last, then next.
  auto rs = db_.OpenRecordset("tSites");
  int visited = 0;
  std::string found;
  while (!rs.Eof()) {
    ++visited;
    if (rs.Field("SiteNum").ToLong() == -25536) {
      found = rs.Field("SiteName").ToText();
      EXPECT_TRUE(rs.MoveLast());
    }
    rs.MoveNext();
  }
  EXPECT_EQ(found, "South");
  EXPECT_EQ(visited, 2);
}

TEST_F(RecordsetNavigation, MovesPastTheEndFailWithAReason) {
  auto rs = db_.OpenRecordset("SELECT SiteID FROM tSites WHERE (SiteID=999);");
  EXPECT_FALSE(rs.MoveNext());
  EXPECT_EQ(rs.Error(), "No current record.");
  rs.ClearError();
  EXPECT_FALSE(rs.MoveLast());
  EXPECT_EQ(rs.Error(), "No current record.");
  EXPECT_TRUE(rs.Eof());
}

TEST_F(RecordsetFields, NamesMatchInAnyLetterCase) {
  auto rs = db_.OpenRecordset("tSites");
  EXPECT_EQ(rs.Fields("sitename").ToText(), "North");
  EXPECT_EQ(rs.Fields("SITENAME").ToText(), "North");
  EXPECT_EQ(rs.Error(), "");
}

TEST_F(RecordsetFields, ValuesComeBackAsTheColumnsDeclareThem) {
  auto rs = db_.OpenRecordset("tSites");
  EXPECT_EQ(rs.Field("SiteNum"), Variant(12));
  EXPECT_EQ(rs.Field("CallOut"), Variant(true));
  EXPECT_EQ(rs.Field("SiteLatMin"), Variant(500.0));
  EXPECT_EQ(rs.Field("SiteLatMin").ToText(), "500");
  EXPECT_EQ(rs.Field("SitePhone"), Variant("5551234"));
  EXPECT_EQ(rs.Field("ConnectLog").ToText(), "log of North\r\nDisconnecting...\r\n");
}

TEST_F(RecordsetFields, ColumnNeverWrittenReadsNull) {
  ASSERT_FALSE(db_.Execute("INSERT INTO tSites (SiteNum) VALUES (77)"));
  auto rs = db_.OpenRecordset("SELECT * FROM tSites WHERE (SiteNum=77);");
  ASSERT_FALSE(rs.Eof());
  EXPECT_TRUE(rs.Field("SiteName").IsNull());
  EXPECT_TRUE(rs.Field("SiteCustNum").IsNull());
  EXPECT_EQ(rs.Field("CallOut"), Variant(false));  // a Yes/No column is never Null
  EXPECT_EQ(rs.Error(), "");
}

TEST_F(RecordsetFields, ReadAtEndOfFileGivesNullAndAReason) {
  auto rs = db_.OpenRecordset("SELECT SiteName FROM tSites WHERE (SiteID=999);");
  EXPECT_TRUE(rs.Field("SiteName").IsNull());
  EXPECT_EQ(rs.Error(), "No current record.");
}

TEST_F(RecordsetFields, ColumnTheQueryDoesNotHoldGivesNullAndNamesIt) {
  auto rs = db_.OpenRecordset("SELECT SiteID, SiteName FROM tSites;");
  EXPECT_TRUE(rs.Field("SiteCustNum").IsNull());
  EXPECT_EQ(rs.Error(), "No field named \"SiteCustNum\" in this recordset.");
  EXPECT_EQ(rs.Field("SiteName").ToText(), "North");  // the recordset goes on working
}

TEST_F(RecordsetFields, WindowsTextIsStoredAsUtf8AndReadBackUnchanged) {
  SKIP_WITHOUT_SQLITE_CLI();
  const std::string name = "Caf\xE9 -5 \xBA" "C \x80";
  auto rs = db_.OpenRecordset("tSites");
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SiteName") = name;
  ASSERT_TRUE(rs.Update()) << rs.Error();
  EXPECT_EQ(Cli("SELECT SiteName FROM tSites WHERE SiteID=1"), "Café -5 ºC €\n");
  auto again = db_.OpenRecordset("tSites");
  EXPECT_EQ(again.Field("SiteName").ToText(), name);
}

TEST_F(RecordsetWrites, EditAndUpdateChangeTheFile) {
  SKIP_WITHOUT_SQLITE_CLI();
  auto rs = db_.OpenRecordset(sites::ColourAndLogQuery(south_));
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SiteColor") = 1;
  rs.Fields("ConnectLog") = "Dialing...\r\nNo answer.\r\n";
  ASSERT_TRUE(rs.Update()) << rs.Error();
  EXPECT_EQ(rs.Field("SiteColor"), Variant(1));

  // Seen by another program while the console still holds the file...
  EXPECT_EQ(Cli("SELECT SiteColor, length(ConnectLog) FROM tSites WHERE SiteID=" +
                std::to_string(south_)),
            "1|24\n");
  // ...and by a new connection.
  auto reopened = platform::Database::Open(path_);
  ASSERT_TRUE(reopened.ok()) << reopened.error;
  auto check = reopened.db.OpenRecordset(sites::ColourAndLogQuery(south_));
  EXPECT_EQ(check.Field("ConnectLog").ToText(), "Dialing...\r\nNo answer.\r\n");
}

TEST_F(RecordsetWrites, ChangeSurvivesTheProgramEndingAbruptly) {
  // Nothing waits in the process for a later commit: a child that updates a
  // row and dies at once leaves the change in the file.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto opened = platform::Database::Open(path_);
    auto rs = opened.db.OpenRecordset(sites::MoveSiteQuery(north_));
    const bool ok = rs.Edit() && rs.SetField("SiteLatMin", 777) && rs.Update();
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  auto rs = db_.OpenRecordset(sites::MoveSiteQuery(north_));
  EXPECT_EQ(rs.Field("SiteLatMin").ToLong(), 777);
  auto sync = db_.OpenRecordset("SELECT synchronous FROM pragma_synchronous");
  EXPECT_EQ(sync.Field("synchronous").ToLong(), 2);  // FULL
}

TEST_F(RecordsetWrites, NumbersWrittenIntoTextColumnsAreStoredAsDecimalText) {
  SKIP_WITHOUT_SQLITE_CLI();
  auto rs = db_.OpenRecordset(sites::EditSiteQuery(north_));
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SitePhone") = 16;
  rs.Fields("SiteName") = 0.5;
  ASSERT_TRUE(rs.Update()) << rs.Error();
  EXPECT_EQ(rs.Field("SitePhone"), Variant("16"));
  EXPECT_EQ(Cli("SELECT typeof(SitePhone), SitePhone, SiteName FROM tSites WHERE SiteID=" +
                std::to_string(north_)),
            "text|16|0.5\n");
}

TEST_F(RecordsetWrites, TextWrittenIntoNumberColumnsIsConvertedOrRefused) {
  SKIP_WITHOUT_SQLITE_CLI();
  auto rs = db_.OpenRecordset(sites::EditSiteQuery(north_));
  ASSERT_TRUE(rs.Edit());
  EXPECT_TRUE(rs.SetField("SiteLatMin", "250"));
  EXPECT_TRUE(rs.SetField("SiteNum", " -25536 "));
  EXPECT_TRUE(rs.SetField("SiteCustNum", "2.5"));  // rounded half to even
  EXPECT_FALSE(rs.SetField("SiteColor", "red"));
  EXPECT_EQ(rs.Error(), "Field \"SiteColor\" cannot take this value: the text \"red\" is not a number.");
  ASSERT_TRUE(rs.Update());
  EXPECT_EQ(Cli("SELECT typeof(SiteLatMin), SiteLatMin, SiteNum, SiteCustNum, SiteColor FROM "
                "tSites WHERE SiteID=" + std::to_string(north_)),
            "real|250.0|-25536|2|0\n");
}

TEST_F(RecordsetWrites, OneFieldAssignedToAnotherCopiesItsValue) {
  auto rs = db_.OpenRecordset(sites::MoveSiteQuery(north_));
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SiteLonMin") = rs.Fields("SiteLatMin");
  ASSERT_TRUE(rs.Update());
  EXPECT_EQ(rs.Field("SiteLonMin"), Variant(500.0));
  EXPECT_EQ(rs.Field("SiteLatMin"), Variant(500.0));
}

TEST_F(RecordsetWrites, SiteNumberBeyondSixteenBitsIsRefusedNotWrapped) {
  auto rs = db_.OpenRecordset(sites::EditSiteQuery(north_));
  ASSERT_TRUE(rs.Edit());
  EXPECT_FALSE(rs.SetField("SiteNum", 40000));
  EXPECT_NE(rs.Error().find("out of range"), std::string::npos) << rs.Error();
  ASSERT_TRUE(rs.Update());
  EXPECT_EQ(rs.Field("SiteNum"), Variant(12));
}

TEST_F(RecordsetWrites, AddNewTakesAnAutoNumberAndLeavesUnsetColumnsNull) {
  // The log download's pattern: the day's query finds nothing, a row is added.
  auto day = db_.OpenRecordset(sites::LogDayQuery(12, 20240320));
  ASSERT_TRUE(day.Eof());
  ASSERT_TRUE(day.AddNew());
  day.Fields("VBattMax") = 13.25;
  day.Fields("DataDate") = "20240320";
  day.Fields("SiteNum") = 12;
  ASSERT_TRUE(day.Update()) << day.Error();
  EXPECT_TRUE(day.Eof());  // the position stays where it was
  auto found = db_.OpenRecordset(sites::LogDayQuery(12, 20240320));
  ASSERT_FALSE(found.Eof());
  EXPECT_EQ(found.Field("VBattMax"), Variant(13.25));
  EXPECT_EQ(found.Field("DataDate"), Variant(20240320));
  EXPECT_TRUE(found.Field("TOutMin").IsNull());

  // The site dialog's pattern on the whole table.
  auto table = db_.OpenRecordset(sites::kSitesTable);
  ASSERT_TRUE(table.AddNew());
  EXPECT_TRUE(table.Field("SiteID").IsNull());
  table.Fields("SiteName") = "New Site";
  ASSERT_TRUE(table.Update()) << table.Error();
  EXPECT_EQ(table.Field("SiteName").ToText(), "North");
  ASSERT_TRUE(table.MoveLast());
  EXPECT_EQ(table.Field("SiteID").ToLong(), east_ + 1);
  EXPECT_EQ(table.Field("SiteName").ToText(), "New Site");
  EXPECT_TRUE(table.Field("SitePhone").IsNull());
  EXPECT_TRUE(table.Field("SiteColor").IsNull());
  EXPECT_EQ(table.Field("CallOut"), Variant(false));
}

TEST_F(RecordsetWrites, AutoNumberOfARemovedSiteIsNotGivenAgain) {
  // A selection that still holds the old id must not find a new site.
  auto rs = db_.OpenRecordset(sites::RemoveSiteQuery(east_));
  ASSERT_TRUE(rs.Delete());
  auto table = db_.OpenRecordset(sites::kSitesTable);
  ASSERT_TRUE(table.AddNew());
  ASSERT_TRUE(table.Update());
  table.MoveLast();
  EXPECT_EQ(table.Field("SiteID").ToLong(), east_ + 1);
}

TEST_F(RecordsetWrites, DeleteRemovesOnlyTheCurrentRow) {
  auto rs = db_.OpenRecordset(sites::kSitesTable);
  rs.MoveNext();
  ASSERT_TRUE(rs.Delete()) << rs.Error();
  EXPECT_FALSE(rs.Eof());
  EXPECT_TRUE(rs.Field("SiteName").IsNull());
  EXPECT_EQ(rs.Error(), "The current record has been deleted.");
  ASSERT_TRUE(rs.MoveNext());
  EXPECT_EQ(rs.Field("SiteName").ToText(), "East");

  auto after = db_.OpenRecordset(sites::kSitesTable);
  EXPECT_EQ(Names(after), (std::vector<std::string>{"North", "East"}));
  auto logs = db_.OpenRecordset("SELECT count(*) AS n FROM tData WHERE SiteNum=-25536");
  EXPECT_EQ(logs.Field("n").ToLong(), 1);  // the site's log rows stay
}

TEST_F(RecordsetWrites, WritesOutsideEditOrAddNewAreRefused) {
  auto rs = db_.OpenRecordset(sites::ConnectionLogQuery(north_));
  EXPECT_FALSE(rs.SetField("ConnectLog", "x"));
  EXPECT_EQ(rs.Error(), "Field \"ConnectLog\" was written without Edit or AddNew.");
  rs.ClearError();
  EXPECT_FALSE(rs.Update());
  EXPECT_EQ(rs.Error(), "Update without Edit or AddNew.");
  rs.ClearError();
  ASSERT_TRUE(rs.Edit());
  EXPECT_FALSE(rs.SetField("SiteID", 99));
  EXPECT_EQ(rs.Error(), "Field \"SiteID\" cannot be written.");
}

TEST_F(RecordsetWrites, AMoveDropsAPendingEdit) {
  auto rs = db_.OpenRecordset(sites::kSitesTable);
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SiteName") = "Renamed";
  EXPECT_EQ(rs.Field("SiteName").ToText(), "Renamed");
  rs.MoveNext();
  EXPECT_FALSE(rs.Update());
  auto check = db_.OpenRecordset("tSites");
  EXPECT_EQ(check.Field("SiteName").ToText(), "North");
}

TEST_F(RecordsetWrites, UpdateOfARowRemovedMeanwhileSaysSo) {
  auto held = db_.OpenRecordset(sites::ColourAndLogQuery(east_));
  auto remover = db_.OpenRecordset(sites::DirectoryRemoveSiteQuery(east_));
  ASSERT_TRUE(remover.Delete());
  ASSERT_TRUE(held.Edit());
  held.Fields("SiteColor") = 1;
  EXPECT_FALSE(held.Update());
  EXPECT_EQ(held.Error(), "Cannot store the record: it has been deleted.");
  auto count = db_.OpenRecordset("SELECT count(*) AS n FROM tSites");
  EXPECT_EQ(count.Field("n").ToLong(), 2);
}

TEST_F(RecordsetWrites, LockHeldByAnotherProgramGivesAReasonNotAHang) {
  auto opened = platform::Database::Open(path_, {.create_if_missing = false, .busy_timeout_ms = 50});
  ASSERT_TRUE(opened.ok()) << opened.error;
  auto rs = opened.db.OpenRecordset(sites::NoAnswerColourQuery(north_));
  auto other = platform::Database::Open(path_);
  ASSERT_FALSE(other.db.Execute("BEGIN EXCLUSIVE"));
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SiteColor") = 1;
  EXPECT_FALSE(rs.Update());
  EXPECT_EQ(rs.Error(), "Cannot store the record: the database is locked by another program.");
  ASSERT_FALSE(other.db.Execute("ROLLBACK"));
  rs.ClearError();
  EXPECT_TRUE(rs.Update()) << rs.Error();  // the edit is kept for another try
}

TEST_F(RecordsetReuse, SharedRecordsetIsClosedAndOpenedAgain) {
  platform::Recordset rsShared;
  EXPECT_TRUE(rsShared.Eof());
  rsShared = db_.OpenRecordset(sites::MapSitesQuery(1));
  EXPECT_EQ(Names(rsShared), (std::vector<std::string>{"North", "South"}));
  rsShared.Close();
  EXPECT_FALSE(rsShared.IsOpen());
  EXPECT_TRUE(rsShared.Eof());
  rsShared = db_.OpenRecordset(sites::ConnectionLogQuery(east_));
  EXPECT_EQ(rsShared.Error(), "");
  EXPECT_EQ(rsShared.Field("SiteID").ToLong(), east_);
  // Opening into it again replaces what it held, closed or not.
  rsShared = db_.OpenRecordset(sites::MapSitesQuery(2));
  EXPECT_EQ(Names(rsShared), (std::vector<std::string>{"East"}));
}

TEST_F(RecordsetReuse, QueryThatFailsGivesAClosedRecordsetWithTheReason) {
  auto rs = db_.OpenRecordset("SELECT NoSuchColumn FROM tSites WHERE (SiteID=1);");
  EXPECT_FALSE(rs.IsOpen());
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(rs.Error(), "Cannot open the recordset: no such column: NoSuchColumn.");
  EXPECT_FALSE(rs.Edit());
  EXPECT_TRUE(rs.Field("SiteID").IsNull());
}

TEST_F(RecordsetSafety, OperatorTextGoesInOnlyAsABoundValue) {
  const std::string name = "O'Brien\"); DROP TABLE tSites; --";
  auto rs = db_.OpenRecordset(sites::kSitesTable);
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SiteName") = name;
  ASSERT_TRUE(rs.Update());
  auto found = db_.OpenRecordset("SELECT SiteID FROM tSites WHERE SiteName=?", {name});
  EXPECT_EQ(found.Field("SiteID").ToLong(), north_);
  EXPECT_EQ(db_.OpenRecordset("SELECT SiteID FROM tSites WHERE SiteName=?", {}).Error(),
            "Cannot open the recordset: the query takes 1 values, 0 were given.");
}

TEST_F(RecordsetSafety, OnlyOneSelectStatementOpensARecordset) {
  auto two = db_.OpenRecordset("SELECT SiteID FROM tSites; DELETE FROM tSites");
  EXPECT_EQ(two.Error(), "Cannot open the recordset: the text holds more than one statement.");
  auto action = db_.OpenRecordset("DELETE FROM tSites");
  EXPECT_EQ(action.Error(), "Cannot open the recordset: only a SELECT query returns rows.");
  auto cte = db_.OpenRecordset("WITH x AS (SELECT 1) DELETE FROM tSites");
  EXPECT_EQ(cte.Error(), "Cannot open the recordset: only a SELECT query returns rows.");
  auto all = db_.OpenRecordset("tSites");
  EXPECT_EQ(Names(all).size(), 3u);
}

TEST_F(RecordsetSafety, QueryOverTwoTablesIsReadOnly) {
  auto rs = db_.OpenRecordset(
      "SELECT tSites.SiteName, tData.DataDate FROM tSites, tData "
      "WHERE tSites.SiteNum = tData.SiteNum AND tData.DataDate = 20240105");
  ASSERT_FALSE(rs.Eof()) << rs.Error();
  EXPECT_FALSE(rs.Updatable());
  EXPECT_FALSE(rs.Edit());
  EXPECT_EQ(rs.Error(), "This recordset cannot be changed.");
  auto names = Names(rs);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"North", "South"}));
}

// The map's per-second pass: rows read as it steps, a kept statement for
// the next pass, the file's lock let go after the last row, nothing to change.
TEST_F(RecordsetReuse, AForwardOnlyPassReadsEveryRowAndLetsGoOfTheFile) {
  for (int pass = 0; pass < 2; ++pass) {
    auto rs = db_.OpenForwardOnly("SELECT * FROM tSites WHERE (AHResetTime=1);");
    const int name = rs.Ordinal("sitename");
    std::vector<std::string> names;
    for (; !rs.Eof(); rs.MoveNext()) names.push_back(rs.FieldAt(name).ToText());
    EXPECT_EQ(names, (std::vector<std::string>{"North", "South"}));
    EXPECT_EQ(rs.Ordinal("NoSuchField"), -1);
    EXPECT_FALSE(rs.MoveNext() || rs.MoveLast() || rs.Edit() || rs.AddNew());
    // Another program can write at once: the pass holds no lock any more.
    auto other = sites::OpenSiteDatabase(path_, 0);
    EXPECT_EQ(other.db.Execute("UPDATE tSites SET SiteColor=2 WHERE SiteName='East';"), std::nullopt);
  }
}

}  // namespace
