// Every query text of the console, word for word, run on a seeded database
// the way its caller uses it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/vb.h"
#include "site_database_fixture.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"

namespace {

using platform::Variant;
using SiteQueries = sitetest::SeededSiteDatabase;

TEST_F(SiteQueries, DrawTheSitesOfAMap) {
  EXPECT_EQ(sites::MapSitesQuery(1), "SELECT * FROM tSites WHERE (AHResetTime=1);");
  auto rs = db_.OpenRecordset(sites::MapSitesQuery(1));
  EXPECT_EQ(Names(rs), (std::vector<std::string>{"North", "South"}));
  auto none = db_.OpenRecordset(sites::MapSitesQuery(3));
  EXPECT_TRUE(none.Eof());
  EXPECT_EQ(none.Error(), "");
}

TEST_F(SiteQueries, RedrawOneSiteAfterTheSelectionChanges) {
  EXPECT_EQ(sites::RedrawSiteQuery(12),
            "SELECT SiteID, SiteName, SiteLatMin, SiteLatSec, SiteLonMin, SiteLonSec, SiteColor "
            "FROM tSites WHERE (SiteID=12);");
  auto rs = db_.OpenRecordset(sites::RedrawSiteQuery(south_));
  EXPECT_EQ(rs.Field("SiteName").ToText(), "South");
  EXPECT_EQ(rs.Field("SiteColor").ToLong(), sites::kSiteColorAlarm);
  // The icon drawing also reads SiteCustNum, which this query lacks: Null,
  // and the reason is there for whoever looks.
  EXPECT_TRUE(rs.Field("SiteCustNum").IsNull());
  EXPECT_NE(rs.Error(), "");
}

TEST_F(SiteQueries, MoveASiteOnTheMap) {
  EXPECT_EQ(sites::MoveSiteQuery(7),
            "SELECT SiteID, SiteLatMin, SiteLonMin from tSites WHERE (SiteID=7);");
  auto rs = db_.OpenRecordset(sites::MoveSiteQuery(north_));
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SiteLatMin") = rs.Fields("SiteLatMin").ToDouble() + 100;
  rs.Fields("SiteLonMin") = rs.Fields("SiteLonMin").ToDouble() - 1200;  // not limited to 0..1000
  ASSERT_TRUE(rs.Update()) << rs.Error();
  auto check = db_.OpenRecordset(sites::MoveSiteQuery(north_));
  EXPECT_EQ(check.Field("SiteLatMin").ToText(), "600");
  EXPECT_EQ(check.Field("SiteLonMin").ToText(), "-800");
}

TEST_F(SiteQueries, ConnectByDoubleClick) {
  EXPECT_EQ(sites::DoubleClickSiteQuery(3),
            "SELECT SiteID, SitePhone, SiteNum FROM tSites WHERE (SiteID=3);");
  auto rs = db_.OpenRecordset(sites::DoubleClickSiteQuery(south_));
  EXPECT_EQ(sites::ParseSitePhone(rs.Field("SitePhone").ToText()).serial_port, 7);
  EXPECT_EQ(sites::UnitSiteNum(rs.Field("SiteNum").ToLong()), 40000);
}

TEST_F(SiteQueries, WholeTableForHitTestDirectoryAndNewSite) {
  EXPECT_EQ(sites::kSitesTable, "tSites");
  auto rs = db_.OpenRecordset(sites::kSitesTable);
  EXPECT_EQ(Names(rs), (std::vector<std::string>{"North", "South", "East"}));
}

TEST_F(SiteQueries, EditASiteInTheSiteDialog) {
  SKIP_WITHOUT_SQLITE_CLI();
  EXPECT_EQ(sites::EditSiteQuery(5),
            "SELECT SiteID, SiteName, SitePhone, SiteLatMin, SiteLatSec, SiteLonMin, SiteLonSec, "
            "SiteNum, SiteCustNum, CallOut, SiteColor, AHResetTime FROM tSites WHERE (SiteID=5);");
  auto rsSite = db_.OpenRecordset(sites::EditSiteQuery(east_));
  EXPECT_EQ(rsSite.Field("CallOut"), Variant(true));
  EXPECT_EQ(rsSite.Field("AHResetTime"), Variant(2));
  ASSERT_TRUE(rsSite.Edit());
  rsSite.Fields("SiteName") = "East Ridge";
  rsSite.Fields("AHResetTime") = 1;
  rsSite.Fields("SiteNum") = "-1";  // site 65535 as the dialog stores it
  rsSite.Fields("SiteCustNum") = "404";
  rsSite.Fields("CallOut") = false;
  ASSERT_TRUE(rsSite.Update()) << rsSite.Error();
  rsSite.Close();
  EXPECT_EQ(Cli("SELECT SiteName, AHResetTime, SiteNum, SiteCustNum, CallOut, SitePhone "
                "FROM tSites WHERE SiteID=" + std::to_string(east_)),
            "East Ridge|1|-1|404|0|~127.0.0.1\n");
}

TEST_F(SiteQueries, FindTheSiteOfAnAlarmReport) {
  EXPECT_EQ(sites::AlarmReportQuery(-25536),
            "SELECT SiteNum, SiteName, SiteColor, Alarms FROM tSites WHERE (SiteNum=-25536);");
  auto rs = db_.OpenRecordset(sites::AlarmReportQuery(*sites::StoredSiteNum(40000)));
  ASSERT_FALSE(rs.Eof());
  EXPECT_EQ(rs.Field("SiteName").ToText(), "South");
  ASSERT_TRUE(rs.Edit());
  rs.Fields("Alarms") = "0100000100000000";
  rs.Fields("SiteColor") = sites::kSiteColorAlarm;
  ASSERT_TRUE(rs.Update());
  auto check = db_.OpenRecordset(sites::ActiveAlarmsQuery(south_));
  EXPECT_EQ(check.Field("Alarms").ToText(), "0100000100000000");
  EXPECT_TRUE(db_.OpenRecordset(sites::AlarmReportQuery(999)).Eof());
}

TEST_F(SiteQueries, StoreTheAlarmsAtASessionsEnd) {
  EXPECT_EQ(sites::SessionAlarmUpdateQuery(4),
            "SELECT SiteID, Alarms, SiteColor, SiteLatMin, SiteLatSec, SiteLonMin, SiteLonSec, "
            "SiteName FROM tSites WHERE(SiteID=4);");
  auto rs = db_.OpenRecordset(sites::SessionAlarmUpdateQuery(south_));
  ASSERT_TRUE(rs.Edit());
  rs.Fields("Alarms") = "0000000000000000";
  rs.Fields("SiteColor") = sites::kSiteColorNormal;
  ASSERT_TRUE(rs.Update());
  auto check = db_.OpenRecordset(sites::RedrawSiteQuery(south_));
  EXPECT_EQ(check.Field("SiteColor"), Variant(0));
}

TEST_F(SiteQueries, ListTheActiveAlarms) {
  EXPECT_EQ(sites::ActiveAlarmsQuery(9),
            "SELECT SiteID, SiteNum, Alarms FROM tSites WHERE (SiteID=9);");
  auto rs = db_.OpenRecordset(sites::ActiveAlarmsQuery(south_));
  EXPECT_EQ(sites::UnitSiteNum(rs.Field("SiteNum").ToLong()), 40000);
  EXPECT_EQ(rs.Field("Alarms").ToText().size(), 16u);
}

TEST_F(SiteQueries, ShowTheLastConnectionLog) {
  EXPECT_EQ(sites::ConnectionLogQuery(2),
            "SELECT SiteID, ConnectLog FROM tSites WHERE (SiteID=2);");
  // A long session log survives whole, line ends included.
  std::string log;
  for (int i = 0; i < 5000; ++i) log += "Line " + std::to_string(i) + "\r\n";
  auto rs = db_.OpenRecordset(sites::ConnectionLogQuery(north_));
  ASSERT_TRUE(rs.Edit());
  rs.Fields("ConnectLog") = log;
  ASSERT_TRUE(rs.Update());
  auto check = db_.OpenRecordset(sites::ConnectionLogQuery(north_));
  EXPECT_EQ(check.Field("ConnectLog").ToText(), log);
}

TEST_F(SiteQueries, TakeTheAddressForAConnectionCommand) {
  EXPECT_EQ(sites::ConnectionSiteQuery(11),
            "SELECT SiteID, SitePhone FROM tSites WHERE (SiteID=11);");
  auto rs = db_.OpenRecordset(sites::ConnectionSiteQuery(east_));
  const sites::SiteLink link = sites::ParseSitePhone(rs.Field("SitePhone").ToText());
  EXPECT_EQ(link.kind, sites::SiteLinkKind::Network);
  EXPECT_EQ(link.host, "127.0.0.1");
}

TEST_F(SiteQueries, RemoveASiteFromTheMainMenu) {
  EXPECT_EQ(sites::RemoveSiteQuery(12), "Select SiteID FROM tSites WHERE (SiteID=12);");
  auto rs = db_.OpenRecordset(sites::RemoveSiteQuery(north_));
  ASSERT_TRUE(rs.Delete());
  rs.Close();
  auto rest = db_.OpenRecordset(sites::kSitesTable);
  EXPECT_EQ(Names(rest), (std::vector<std::string>{"South", "East"}));
}

TEST_F(SiteQueries, RemoveASiteFromTheSiteDirectory) {
  EXPECT_EQ(sites::DirectoryRemoveSiteQuery(12), "Select SiteID FROM tSites WHERE (SiteID= 12);");
  auto rs = db_.OpenRecordset(sites::DirectoryRemoveSiteQuery(south_));
  ASSERT_TRUE(rs.Delete()) << rs.Error();
  auto rest = db_.OpenRecordset(sites::kSitesTable);
  EXPECT_EQ(Names(rest), (std::vector<std::string>{"North", "East"}));
}

TEST_F(SiteQueries, ListTheSitesOfACalloutRun) {
  EXPECT_EQ(sites::CalloutListQuery(),
            "SELECT SiteID, SiteName, SiteNum, SitePhone, CallOut FROM tSites WHERE (Callout=True);");
  platform::Recordset rsCallout = db_.OpenRecordset(sites::CalloutListQuery());
  EXPECT_EQ(Names(rsCallout), (std::vector<std::string>{"North", "East"}));
}

TEST_F(SiteQueries, ReadTheNextSiteOfACalloutRun) {
  EXPECT_EQ(sites::NextCalloutSiteQuery(12),
            "SELECT SiteID, SiteName, SiteLatMin, SiteLatSec, SiteLonMin, SiteLonSec, SiteColor, "
            "SiteNum, SiteCustNum FROM tSites WHERE (SiteID= 12);");
  auto rs = db_.OpenRecordset(sites::NextCalloutSiteQuery(east_));
  EXPECT_EQ(rs.Field("SiteName").ToText(), "East");
  EXPECT_EQ(rs.Field("SiteNum").ToLong(), 3);
  EXPECT_EQ(rs.Field("SiteCustNum").ToLong(), 103);
}

TEST_F(SiteQueries, MarkACallNobodyAnswered) {
  EXPECT_EQ(sites::NoAnswerColourQuery(8),
            "SELECT SiteID, SiteLatMin, SiteLatSec, SiteLonMin, SiteLonSec, SiteName, SiteColor "
            "FROM tSites WHERE (SiteID=8);");
  auto rs = db_.OpenRecordset(sites::NoAnswerColourQuery(north_));
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SiteColor") = sites::kSiteColorFailedCall;
  ASSERT_TRUE(rs.Update());
  EXPECT_EQ(db_.OpenRecordset(sites::RedrawSiteQuery(north_)).Field("SiteColor"), Variant(1));
  EXPECT_TRUE(db_.OpenRecordset(sites::NoAnswerColourQuery(0)).Eof());  // no site selected
}

TEST_F(SiteQueries, StoreTheColourAndLogOfACall) {
  EXPECT_EQ(sites::ColourAndLogQuery(6),
            "SELECT SiteID, SiteLatMin, SiteLatSec, SiteLonMin, SiteLonSec, SiteName, SiteColor, "
            "ConnectLog FROM tSites WHERE (SiteID=6);");
  auto rs = db_.OpenRecordset(sites::ColourAndLogQuery(east_));
  ASSERT_TRUE(rs.Edit());
  rs.Fields("SiteColor") = sites::kSiteColorFailedCall;
  rs.Fields("ConnectLog") = "BUSY\r\n";
  ASSERT_TRUE(rs.Update());
  auto check = db_.OpenRecordset(sites::ConnectionLogQuery(east_));
  EXPECT_EQ(check.Field("ConnectLog").ToText(), "BUSY\r\n");
}

TEST_F(SiteQueries, LookUpOneLogDay) {
  EXPECT_EQ(sites::LogDayQuery(-25536, 20050315),
            "SELECT SiteNum, DataDate, VBattMax, VBattMin, VLoadMax, VLoadMin, ALoadMax, ALoadMin, "
            "TBattMax, TBattMin, TShelMax, TShelMin, TOutMax, TOutMin, AHPV, AHLoad FROM tData "
            "WHERE((SiteNum=-25536) AND (DataDate=20050315));");
  auto day = db_.OpenRecordset(sites::LogDayQuery(12, 20240105));
  ASSERT_FALSE(day.Eof());
  EXPECT_EQ(day.Field("VBattMax"), Variant(12.5));
  EXPECT_EQ(day.Field("AHLoad").ToText(), "38.2");
  day.MoveNext();
  EXPECT_TRUE(day.Eof());
  EXPECT_FALSE(db_.OpenRecordset(sites::LogDayQuery(-25536, 20240105)).Eof());
  EXPECT_TRUE(db_.OpenRecordset(sites::LogDayQuery(12, 20240111)).Eof());
}

TEST_F(SiteQueries, ListALogRange) {
  EXPECT_EQ(sites::LogRangeQuery(12, 20230316, 20240315),
            "SELECT SiteNum, DataDate, VBattMax, VBattMin, VLoadMax, VLoadMin, ALoadMax, ALoadMin, "
            "TBattMax, TBattMin, TShelMax, TShelMin, TOutMax, TOutMin, AHPV, AHLoad FROM tData "
            "WHERE ((SiteNum=12) AND (DataDate>=20230316 AND DataDate<=20240315));");
  auto rs = db_.OpenRecordset(sites::LogRangeQuery(12, 20240103, 20240107));
  EXPECT_EQ(Names(rs, "DataDate"),
            (std::vector<std::string>{"20240103", "20240104", "20240105", "20240106", "20240107"}));
  auto other = db_.OpenRecordset(sites::LogRangeQuery(-25536, 20240101, 20241231));
  EXPECT_EQ(Names(other, "DataDate"), (std::vector<std::string>{"20240105"}));
}

// The texts have one home: no handler spells a query of the site tables out
// beside the function that holds it.
TEST(SiteQueryTexts, AreWrittenOnlyInTheSiteQueriesFile) {
  namespace fs = std::filesystem;
  for (const auto& f : fs::recursive_directory_iterator(fs::path(VKX_DATA_DIR) / "../src")) {
    if (f.path().extension() != ".cpp" || f.path().filename() == "site_queries.cpp") continue;
    std::ifstream in(f.path());
    const std::string text = vb::UCase(std::string(std::istreambuf_iterator<char>(in), {}));
    for (const char* query : {"FROM TSITES", "FROM TDATA", "UPDATE TSITES", "INTO TDATA"})
      EXPECT_EQ(text.find(query), std::string::npos) << f.path() << ": " << query;
  }
}

}  // namespace
