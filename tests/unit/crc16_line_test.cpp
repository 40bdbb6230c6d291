// CRC-16 checked lines: the register, the check and the stripping of the
// check digits.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "link/crc16_line.h"
#include "reference_crc16.h"

namespace {

std::uint16_t RegisterAfter(std::string_view text) {
  lnk::Crc16Register reg;
  for (const char c : text) lnk::Crc16Update(reg, static_cast<std::uint8_t>(c));
  return static_cast<std::uint16_t>(reg.Crc16Hi << 8 | reg.Crc16Lo);
}


TEST(Crc16Update, MatchesThePublishedCheckValueAndTheBitwiseForm) {
  EXPECT_EQ(RegisterAfter("123456789"), 0x6F91);
  EXPECT_EQ(RegisterAfter("abc"), 0x61DA);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(RegisterAfter(one), testkit::ReferenceCrc16(one)) << "byte " << b;
  }
  std::mt19937 rng(4700);
  for (int n = 0; n < 100; ++n) {
    std::string text(rng() % 80, '\0');
    for (char& c : text) c = static_cast<char>(rng());
    EXPECT_EQ(RegisterAfter(text), testkit::ReferenceCrc16(text));
  }
}

TEST(CheckLineCrc16, GoodDigitsPassAndAreStripped) {
  std::string line = "abcDA61";
  EXPECT_TRUE(lnk::CheckLineCrc16(line));
  EXPECT_EQ(line, "abc");

  line = testkit::CheckedLine("U 06 05 12 00 13 04 09 03 1324 123 45 -5 30 248 32 00 \xBA");
  EXPECT_TRUE(lnk::CheckLineCrc16(line));
  EXPECT_EQ(line.back(), '\xBA');
}

TEST(CheckLineCrc16, WrongDigitsFailButTheLineIsStrippedAllTheSame) {
  std::string swapped = "abc61DA";
  EXPECT_FALSE(lnk::CheckLineCrc16(swapped));
  EXPECT_EQ(swapped, "abc");

  std::string lower = "abcda61";
  EXPECT_FALSE(lnk::CheckLineCrc16(lower));
  EXPECT_EQ(lower, "abc");

  std::string not_hex = "abcDA6G";
  EXPECT_FALSE(lnk::CheckLineCrc16(not_hex));
  EXPECT_EQ(not_hex, "abc");
}

TEST(CheckLineCrc16, DigitsMustBeTheVeryLastCharacters) {
  std::string blank = "abcDA61 ";
  EXPECT_FALSE(lnk::CheckLineCrc16(blank));
  std::string cr = "abcDA61\r";
  EXPECT_FALSE(lnk::CheckLineCrc16(cr));
}

TEST(CheckLineCrc16, ShortLines) {
  std::string five = "aDA61";
  EXPECT_FALSE(lnk::CheckLineCrc16(five));
  EXPECT_EQ(five, "aDA61");

  std::string six = testkit::CheckedLine("ab");
  ASSERT_EQ(six.size(), 6U);
  EXPECT_TRUE(lnk::CheckLineCrc16(six));
  EXPECT_EQ(six, "ab");

  std::string empty;
  EXPECT_FALSE(lnk::CheckLineCrc16(empty));
}

TEST(IsHexText, UpperCaseHexDigitsOnly) {
  EXPECT_TRUE(lnk::IsHexText(""));
  EXPECT_TRUE(lnk::IsHexText("0189ABEF"));
  EXPECT_FALSE(lnk::IsHexText("ab"));
  EXPECT_FALSE(lnk::IsHexText("0G"));
  EXPECT_FALSE(lnk::IsHexText("1 "));
  for (const char* neighbour : {"/", ":", "@", "G", "`"}) EXPECT_FALSE(lnk::IsHexText(neighbour));
}

}  // namespace
