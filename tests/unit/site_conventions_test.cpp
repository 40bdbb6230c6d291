// The value conventions of the site table: site numbers above 32767, the
// three forms of a site's address, the icon colours.
#include <gtest/gtest.h>

#include "site_database_fixture.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"

namespace {

using sites::SiteLinkKind;

TEST(SiteConventions, SiteNumbersAbove32767AreStoredNegative) {
  EXPECT_EQ(sites::StoredSiteNum(40000), -25536);
  EXPECT_EQ(sites::StoredSiteNum(65535), -1);
  EXPECT_EQ(sites::StoredSiteNum(32767), 32767);
  EXPECT_EQ(sites::StoredSiteNum(32768), -32768);
  EXPECT_EQ(sites::StoredSiteNum(0), 0);
  EXPECT_EQ(sites::StoredSiteNum(65536), std::nullopt);
  EXPECT_EQ(sites::StoredSiteNum(-32769), std::nullopt);

  EXPECT_EQ(sites::UnitSiteNum(-25536), 40000);
  EXPECT_EQ(sites::UnitSiteNum(-1), 65535);
  EXPECT_EQ(sites::UnitSiteNum(32767), 32767);
  EXPECT_EQ(sites::UnitSiteNum(-32768), 32768);
}

using SiteConventionsInTheFile = sitetest::SeededSiteDatabase;

TEST_F(SiteConventionsInTheFile, SiteNumberComesBackAsTheUnitNumber) {
  for (const int unit : {40000, 65535, 32767}) {
    auto rs = db_.OpenRecordset(sites::EditSiteQuery(north_));
    ASSERT_TRUE(rs.Edit());
    rs.Fields("SiteNum") = *sites::StoredSiteNum(unit);
    ASSERT_TRUE(rs.Update()) << rs.Error();
    auto back = db_.OpenRecordset(sites::ActiveAlarmsQuery(north_));
    EXPECT_EQ(sites::UnitSiteNum(back.Field("SiteNum").ToLong()), unit);
  }
}

TEST(SiteConventions, SitePhoneOneToSixteenIsASerialPort) {
  EXPECT_EQ(sites::ParseSitePhone("7").kind, SiteLinkKind::SerialPort);
  EXPECT_EQ(sites::ParseSitePhone("7").serial_port, 7);
  EXPECT_EQ(sites::ParseSitePhone("1").serial_port, 1);
  EXPECT_EQ(sites::ParseSitePhone("16").serial_port, 16);
  EXPECT_EQ(sites::ParseSitePhone("7.5").serial_port, 7);  // its whole part
  EXPECT_EQ(sites::ParseSitePhone(" 3").serial_port, 3);   // Val skips the blank
}

TEST(SiteConventions, SitePhoneOtherwiseIsATelephoneNumberDialledByItsDigits) {
  const sites::SiteLink above = sites::ParseSitePhone("17");
  EXPECT_EQ(above.kind, SiteLinkKind::Telephone);
  EXPECT_EQ(above.dial_digits, "17");
  const sites::SiteLink number = sites::ParseSitePhone("(555) 123-4567");
  EXPECT_EQ(number.kind, SiteLinkKind::Telephone);
  EXPECT_EQ(number.dial_digits, "5551234567");
  EXPECT_EQ(sites::ParseSitePhone("0").kind, SiteLinkKind::Telephone);
  EXPECT_EQ(sites::ParseSitePhone("").kind, SiteLinkKind::None);
}

TEST(SiteConventions, SitePhoneStartingWithTildeIsANetworkHost) {
  const sites::SiteLink link = sites::ParseSitePhone("~127.0.0.1");
  EXPECT_EQ(link.kind, SiteLinkKind::Network);
  EXPECT_EQ(link.host, "127.0.0.1");
  EXPECT_EQ(sites::ParseSitePhone("~7").kind, SiteLinkKind::Network);  // not port 7
  EXPECT_EQ(sites::ParseSitePhone("~7").host, "7");
  EXPECT_EQ(sites::ParseSitePhone("~~x").host, "~x");  // everything after the first character
  EXPECT_EQ(sites::ParseSitePhone("~").host, "");
}

TEST(SiteConventions, SiteColorGivesTheIconsDot) {
  EXPECT_EQ(sites::SiteDotColor(0), ui::RGB(255, 255, 255));
  EXPECT_EQ(sites::SiteDotColor(1), ui::Color{0xC0C0FF});
  EXPECT_EQ(sites::SiteDotColor(2), ui::RGB(255, 0, 0));
  EXPECT_EQ(sites::SiteDotColor(3), std::nullopt);  // white ring, no dot
  EXPECT_EQ(sites::SiteDotColor(-1), std::nullopt);
}

}  // namespace
