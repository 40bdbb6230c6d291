// Field values: how they turn into text and numbers, what a column makes of
// a value written into it, and the text encoding at the file's edge.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/cp1252.h"
#include "platform/field_coercion.h"
#include "platform/variant.h"

namespace {

using platform::ColumnKind;
using platform::CoerceForColumn;
using platform::Variant;

TEST(DatabaseVariant, TextFormsAreThoseOfCStr) {
  EXPECT_EQ(Variant().ToText(), "");
  EXPECT_EQ(Variant(true).ToText(), "True");
  EXPECT_EQ(Variant(-25536).ToText(), "-25536");
  EXPECT_EQ(Variant(0.5).ToText(), "0.5");
  EXPECT_EQ(Variant(500.0).ToText(), "500");
  EXPECT_EQ(Variant(12.34).ToText(), "12.34");
}

TEST(DatabaseVariant, NumbersFollowTheOriginalsRules) {
  EXPECT_EQ(Variant(true).ToDouble(), -1);
  EXPECT_EQ(Variant("12abc").ToDouble(), 12);
  EXPECT_EQ(Variant("~host").ToDouble(), 0);
  EXPECT_EQ(Variant().ToLong(), 0);
  EXPECT_EQ(Variant(2.5).ToLong(), 2);
  EXPECT_EQ(Variant(3.5).ToLong(), 4);
  EXPECT_EQ(Variant(1e12).ToLong(), INT32_MAX);
  EXPECT_TRUE(Variant(" true ").ToBool());
  EXPECT_FALSE(Variant("False").ToBool());
  EXPECT_TRUE(Variant("-1").ToBool());
  EXPECT_FALSE(Variant().ToBool());
}

TEST(DatabaseVariant, WholeNumbersBeyondALongAreHeldAsDoubles) {
  EXPECT_EQ(Variant(std::int64_t{3'000'000'000}).type(), Variant::Type::Double);
  EXPECT_EQ(Variant(std::uint32_t{4'000'000'000u}).type(), Variant::Type::Double);
  EXPECT_EQ(Variant(std::int16_t{-1}), Variant(-1));
}

TEST(DatabaseFieldCoercion, TextColumnsTakeNumbersAsDecimalText) {
  EXPECT_EQ(CoerceForColumn(Variant(16), ColumnKind::Text, true).value, Variant("16"));
  EXPECT_EQ(CoerceForColumn(Variant(0.25), ColumnKind::Text, true).value, Variant("0.25"));
  EXPECT_EQ(CoerceForColumn(Variant(true), ColumnKind::Text, true).value, Variant("True"));
  EXPECT_TRUE(CoerceForColumn(Variant(), ColumnKind::Text, true).value.IsNull());
}

TEST(DatabaseFieldCoercion, NumberColumnsConvertWholeNumberTextsOnly) {
  EXPECT_EQ(CoerceForColumn(Variant(" 500 "), ColumnKind::Double, true).value, Variant(500.0));
  EXPECT_EQ(CoerceForColumn(Variant("-1.5e2"), ColumnKind::Double, true).value, Variant(-150.0));
  EXPECT_EQ(CoerceForColumn(Variant("&HFF"), ColumnKind::Long, true).value, Variant(255));
  for (const char* bad : {"", "12abc", "1,000", "$5", "1 2", ".", "-", "1e"}) {
    const auto refused = CoerceForColumn(Variant(bad), ColumnKind::Double, true);
    EXPECT_FALSE(refused.ok()) << bad;
    EXPECT_EQ(refused.error, std::string("the text \"") + bad + "\" is not a number");
  }
}

TEST(DatabaseFieldCoercion, WholeNumberColumnsRoundHalfToEvenAndKeepTheirRange) {
  EXPECT_EQ(CoerceForColumn(Variant(2.5), ColumnKind::Integer, true).value, Variant(2));
  EXPECT_EQ(CoerceForColumn(Variant("3.5"), ColumnKind::Long, true).value, Variant(4));
  EXPECT_EQ(CoerceForColumn(Variant(true), ColumnKind::Integer, true).value, Variant(-1));
  EXPECT_EQ(CoerceForColumn(Variant(-32768), ColumnKind::Integer, true).value, Variant(-32768));
  EXPECT_EQ(CoerceForColumn(Variant(32768), ColumnKind::Integer, true).error,
            "the value 32768 is out of range");
  EXPECT_FALSE(CoerceForColumn(Variant(3e9), ColumnKind::Long, true).ok());
}

TEST(DatabaseFieldCoercion, YesNoColumnsTakeBooleansNumbersAndTheirWords) {
  EXPECT_EQ(CoerceForColumn(Variant(-1), ColumnKind::Boolean, false).value, Variant(true));
  EXPECT_EQ(CoerceForColumn(Variant(0.0), ColumnKind::Boolean, false).value, Variant(false));
  EXPECT_EQ(CoerceForColumn(Variant("true"), ColumnKind::Boolean, false).value, Variant(true));
  EXPECT_EQ(CoerceForColumn(Variant("0"), ColumnKind::Boolean, false).value, Variant(false));
  EXPECT_FALSE(CoerceForColumn(Variant("maybe"), ColumnKind::Boolean, false).ok());
  EXPECT_EQ(CoerceForColumn(Variant(), ColumnKind::Boolean, false).error, "it cannot be Null");
}

TEST(DatabaseFieldCoercion, DoubleColumnsRefuseValuesThatAreNoNumber) {
  EXPECT_FALSE(CoerceForColumn(Variant(std::nan("")), ColumnKind::Double, true).ok());
  EXPECT_FALSE(CoerceForColumn(Variant(HUGE_VAL), ColumnKind::Double, true).ok());
}

TEST(DatabaseTextEncoding, EveryByteSurvivesTheWayThroughUtf8) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(platform::Utf8ToCp1252(platform::Cp1252ToUtf8(all)), all);
  EXPECT_EQ(platform::Cp1252ToUtf8("\xBA" "C \x80 \xE9"), "ºC € é");
}

TEST(DatabaseTextEncoding, ForeignUtf8AndStrayBytesAreReadSoundly) {
  EXPECT_EQ(platform::Utf8ToCp1252("Ω"), "?");
  EXPECT_EQ(platform::Utf8ToCp1252("a\xE9z"), "a\xE9z");    // a lone Latin-1 byte
  EXPECT_EQ(platform::Utf8ToCp1252("\xE2\x82"), "\xE2\x82");  // a cut sequence
  EXPECT_EQ(platform::Utf8ToCp1252("\xC0\xAF"), "\xC0\xAF");  // an overlong form
  // The same bytes are no UTF-8 text as a whole; letters of any script are.
  for (const char* stray : {"a\xE9z", "\xE2\x82", "\xC0\xAF"}) EXPECT_FALSE(platform::IsUtf8(stray));
  for (const char* text : {"", "plain", "Карты", "地図 データ", "Données"}) EXPECT_TRUE(platform::IsUtf8(text));
}

}  // namespace
