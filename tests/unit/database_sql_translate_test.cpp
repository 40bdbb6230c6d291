// The rewriting of query texts for SQLite: only the Boolean literals, never
// inside quotes, names or comments.
#include <gtest/gtest.h>

#include "platform/sql_translate.h"

namespace {

using platform::TranslateJetSql;

TEST(DatabaseSqlTranslate, BooleanLiteralsBecomeOneAndZero) {
  EXPECT_EQ(TranslateJetSql("SELECT SiteID FROM tSites WHERE (Callout=True);"),
            "SELECT SiteID FROM tSites WHERE (Callout=1);");
  EXPECT_EQ(TranslateJetSql("WHERE((a=TRUE) AND (b=false))"), "WHERE((a=1) AND (b=0))");
  EXPECT_EQ(TranslateJetSql("a=True"), "a=1");
}

TEST(DatabaseSqlTranslate, QueryTextsWithoutBooleansPassUnchanged) {
  const char* unchanged[] = {
      "Select SiteID FROM tSites WHERE (SiteID= 12);",
      "SELECT SiteID, SiteLatMin, SiteLonMin from tSites WHERE (SiteID=7);",
      "SELECT * FROM tData WHERE((SiteNum=-25536) AND (DataDate=20050315));",
  };
  for (const char* sql : unchanged) EXPECT_EQ(TranslateJetSql(sql), sql);
}

TEST(DatabaseSqlTranslate, WordsInsideQuotesNamesAndCommentsStay) {
  EXPECT_EQ(TranslateJetSql("x='True' AND y=\"False\" AND [True]=1 AND `False`=0"),
            "x='True' AND y=\"False\" AND [True]=1 AND `False`=0");
  EXPECT_EQ(TranslateJetSql("x='it''s True' AND z=True"), "x='it''s True' AND z=1");
  EXPECT_EQ(TranslateJetSql("x=1 -- True\nAND y=True /* False */"), "x=1 -- True\nAND y=1 /* False */");
  EXPECT_EQ(TranslateJetSql("IsTrue=1 AND True_=2 AND t.True=3 AND True.x=4 AND @True=5"),
            "IsTrue=1 AND True_=2 AND t.True=3 AND True.x=4 AND @True=5");
  EXPECT_EQ(TranslateJetSql("x='unclosed True"), "x='unclosed True");
  EXPECT_EQ(TranslateJetSql("1True"), "1True");
}

TEST(DatabaseSqlTranslate, RowKeyGoesInFrontOfAPlainSelect) {
  EXPECT_EQ(platform::WithRowKeyColumn("SELECT * FROM tSites"), "SELECT rowid, * FROM tSites");
  EXPECT_EQ(platform::WithRowKeyColumn("  select SiteID from tSites"),
            "  select rowid, SiteID from tSites");
  EXPECT_EQ(platform::WithRowKeyColumn("SELECT\nx FROM t"), "SELECT rowid,\nx FROM t");
  EXPECT_EQ(platform::WithRowKeyColumn("SELECT DISTINCT x FROM t"), std::nullopt);
  EXPECT_EQ(platform::WithRowKeyColumn("SELECTED"), std::nullopt);
  EXPECT_EQ(platform::WithRowKeyColumn("DELETE FROM t"), std::nullopt);
}

TEST(DatabaseSqlTranslate, TableNamesAndRowQueriesAreToldApart) {
  EXPECT_TRUE(platform::IsTableName("tSites"));
  EXPECT_FALSE(platform::IsTableName("tSites;"));
  EXPECT_FALSE(platform::IsTableName("SELECT * FROM tSites"));
  EXPECT_FALSE(platform::IsTableName(""));
  EXPECT_TRUE(platform::IsRowQuery("  Select 1"));
  EXPECT_TRUE(platform::IsRowQuery("WITH x AS (SELECT 1) SELECT * FROM x"));
  EXPECT_FALSE(platform::IsRowQuery("UPDATE tSites SET SiteColor=0"));
  EXPECT_FALSE(platform::IsRowQuery(""));
}

}  // namespace
