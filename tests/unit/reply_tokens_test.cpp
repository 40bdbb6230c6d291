// Reading numbers from the front of a text reply.
#include <gtest/gtest.h>

#include <string>

#include "common/vb.h"
#include "link/reply_tokens.h"

namespace {

using lnk::NextHundredthsToken;
using lnk::NextIntToken;
using lnk::NextTenthsToken;

TEST(NextIntToken, ReadsTheFieldsOfAStatusLineInOrderThenMissing) {
  std::string rx = "U 12/05/06 13:04";
  EXPECT_EQ(NextIntToken(rx), "12");
  EXPECT_EQ(NextIntToken(rx), "05");
  EXPECT_EQ(NextIntToken(rx), "06");
  EXPECT_EQ(NextIntToken(rx), "13");
  EXPECT_EQ(NextIntToken(rx), "04");
  EXPECT_EQ(rx, "");
  EXPECT_EQ(NextIntToken(rx), "---");
}

TEST(NextIntToken, BufferWithoutNumbersKeepsItsText) {
  std::string rx = "abc";
  EXPECT_EQ(NextIntToken(rx), "---");
  EXPECT_EQ(NextTenthsToken(rx), "---");
  EXPECT_EQ(NextHundredthsToken(rx), "---");
  EXPECT_EQ(rx, "abc");
}

TEST(NextIntToken, MinusSignsBelongToTheRunWhereverTheyStand) {
  std::string rx = " 1-2 3";
  EXPECT_EQ(NextIntToken(rx), "1-2");
  EXPECT_EQ(NextIntToken(rx), "3");
  EXPECT_EQ(NextIntToken(rx), "---");

  // A run of minus signs is a token too, and is consumed like any other.
  rx = "a---b-";
  EXPECT_EQ(NextIntToken(rx), "---");
  EXPECT_EQ(rx, "b-");
  EXPECT_EQ(NextIntToken(rx), "-");
  EXPECT_EQ(rx, "");
}

TEST(NextTenthsToken, PlacesThePointByCharacterCount) {
  std::string rx = "7 123 10 -15 0125 0 1-";
  EXPECT_EQ(NextTenthsToken(rx), "0.7");
  EXPECT_EQ(NextTenthsToken(rx), "12.3");
  EXPECT_EQ(NextTenthsToken(rx), "1.0");
  EXPECT_EQ(NextTenthsToken(rx), "-1.5");
  EXPECT_EQ(NextTenthsToken(rx), "012.5");
  EXPECT_EQ(NextTenthsToken(rx), "0.0");
  EXPECT_EQ(NextTenthsToken(rx), "1.-");
  EXPECT_EQ(NextTenthsToken(rx), "---");
}

TEST(NextHundredthsToken, PlacesThePointByCharacterCount) {
  std::string rx = "7 1350 12 07 100 -123";
  EXPECT_EQ(NextHundredthsToken(rx), "0.07");
  EXPECT_EQ(NextHundredthsToken(rx), "13.50");
  EXPECT_EQ(NextHundredthsToken(rx), "0.12");
  EXPECT_EQ(NextHundredthsToken(rx), "0.07");
  EXPECT_EQ(NextHundredthsToken(rx), "1.00");
  EXPECT_EQ(NextHundredthsToken(rx), "-1.23");
  EXPECT_EQ(NextHundredthsToken(rx), "---");
}

TEST(ScaledTokens, ShortNegativesKeepTheirSignInFrontAndReadAsTheirValue) {
  std::string rx = "-5 -5 -12 -1 -05";
  const std::string tenths = NextTenthsToken(rx);
  const std::string hundredths5 = NextHundredthsToken(rx);
  const std::string hundredths12 = NextHundredthsToken(rx);
  EXPECT_EQ(tenths, "-0.5");
  EXPECT_EQ(hundredths5, "-0.05");
  EXPECT_EQ(hundredths12, "-0.12");
  EXPECT_EQ(NextHundredthsToken(rx), "-0.01");
  EXPECT_EQ(NextTenthsToken(rx), "-0.5");  // long enough: the plain rule
  EXPECT_DOUBLE_EQ(vb::Val(tenths), -0.5);
  EXPECT_DOUBLE_EQ(vb::Val(hundredths5), -0.05);
  EXPECT_DOUBLE_EQ(vb::Val(hundredths12), -0.12);
}

TEST(ScaledTokens, CutTheTokenAndWhatPrecedesItOnly) {
  std::string rx = "x 123 45";
  EXPECT_EQ(NextTenthsToken(rx), "12.3");
  EXPECT_EQ(rx, " 45");
  EXPECT_EQ(NextHundredthsToken(rx), "0.45");
  EXPECT_EQ(rx, "");
  EXPECT_EQ(NextHundredthsToken(rx), "---");
}

TEST(DigitsOnly, KeepsDigitsInOrder) {
  EXPECT_EQ(lnk::DigitsOnly("9, 555-0123"), "95550123");
  EXPECT_EQ(lnk::DigitsOnly("abc"), "");
  EXPECT_EQ(lnk::DigitsOnly(""), "");
}

}  // namespace
