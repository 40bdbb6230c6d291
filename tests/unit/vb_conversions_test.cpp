// Number/text conversions of vb.h: the cases where a port usually goes wrong.
#include <gtest/gtest.h>

#include <cmath>

#include "common/vb.h"

namespace {

TEST(VbVal, SkipsBlanksAnywhereAndStopsAtFirstOtherChar) {
  EXPECT_EQ(vb::Val(" 1 2"), 12);
  EXPECT_EQ(vb::Val("\t-1\n2.5 0"), -12.5);
  EXPECT_EQ(vb::Val("2.5abc"), 2.5);
  EXPECT_EQ(vb::Val("1.2.3"), 1.2);
  EXPECT_EQ(vb::Val("1,000"), 1);
  EXPECT_EQ(vb::Val("$5"), 0);
  EXPECT_EQ(vb::Val(""), 0);
  EXPECT_EQ(vb::Val("-"), 0);
  EXPECT_EQ(vb::Val("."), 0);
  EXPECT_EQ(vb::Val(".5"), 0.5);
  EXPECT_EQ(vb::Val("+7"), 7);
  EXPECT_EQ(vb::Val("\r5"), 0);  // only blanks, tabs and line feeds are skipped
  EXPECT_FALSE(std::signbit(vb::Val("-0")));
}

TEST(VbVal, ExponentEOrD) {
  EXPECT_EQ(vb::Val("1e3"), 1000);
  EXPECT_EQ(vb::Val("1D3"), 1000);
  EXPECT_EQ(vb::Val("2.5E-2x"), 0.025);
  EXPECT_EQ(vb::Val("1 e 3"), 1000);
  EXPECT_EQ(vb::Val("1e"), 1);
  EXPECT_EQ(vb::Val("1e+"), 1);
  EXPECT_EQ(vb::Val("1e-400"), 0);
  EXPECT_TRUE(std::isfinite(vb::Val("1e400")));
}

TEST(VbVal, HexAndOctalAreSigned16Or32Bit) {
  EXPECT_EQ(vb::Val("&HFFFF"), -1);
  EXPECT_EQ(vb::Val("&hff"), 255);
  EXPECT_EQ(vb::Val("&H8000"), -32768);
  EXPECT_EQ(vb::Val("&H10000"), 65536);
  EXPECT_EQ(vb::Val("&HFFFFFFFF"), -1);
  EXPECT_EQ(vb::Val("&H7FFFFFFF"), 2147483647);
  EXPECT_EQ(vb::Val("&H1G"), 1);
  EXPECT_EQ(vb::Val("&O17"), 15);
  EXPECT_EQ(vb::Val("&O8"), 0);
  EXPECT_EQ(vb::Val("&X1"), 0);
}

TEST(VbIsNumeric, CompleteNumbersOnly) {
  EXPECT_TRUE(vb::IsNumeric("12"));
  EXPECT_TRUE(vb::IsNumeric("  -1.5e3  "));
  EXPECT_TRUE(vb::IsNumeric(".5"));
  EXPECT_TRUE(vb::IsNumeric("&HFF"));
  EXPECT_TRUE(vb::IsNumeric("1,000"));
  EXPECT_FALSE(vb::IsNumeric(""));
  EXPECT_FALSE(vb::IsNumeric("   "));
  EXPECT_FALSE(vb::IsNumeric("."));
  EXPECT_FALSE(vb::IsNumeric("2.5abc"));
  EXPECT_FALSE(vb::IsNumeric("1 2"));
  EXPECT_FALSE(vb::IsNumeric("1e"));
  EXPECT_FALSE(vb::IsNumeric("1e400"));  // CDbl overflows
  EXPECT_FALSE(vb::IsNumeric("--1"));
}

TEST(VbStr, LeadingBlankAndNoZeroBeforePoint) {
  EXPECT_EQ(vb::Str(5), " 5");
  EXPECT_EQ(vb::Str(0), " 0");
  EXPECT_EQ(vb::Str(-0.0), " 0");
  EXPECT_EQ(vb::Str(-5), "-5");
  EXPECT_EQ(vb::Str(0.5), " .5");
  EXPECT_EQ(vb::Str(-0.5), "-.5");
  EXPECT_EQ(vb::Str(-12.25), "-12.25");
  EXPECT_EQ(vb::Str(0.1 + 0.2), " .3");
  EXPECT_EQ(vb::Str(1e15), " 1E+15");
  EXPECT_EQ(vb::Str(0.00001), " 1E-05");
  EXPECT_EQ(vb::StrSingle(1.1f), " 1.1");
  EXPECT_EQ(vb::StrSingle(-0.25f), "-.25");
}

TEST(VbCStr, FifteenDigitsAndExponentForm) {
  EXPECT_EQ(vb::CStr(0.5), "0.5");
  EXPECT_EQ(vb::CStr(-0.5), "-0.5");
  EXPECT_EQ(vb::CStr(-0.0), "0");
  EXPECT_EQ(vb::CStr(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(vb::CStr(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(vb::CStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(vb::CStr(1e15), "1E+15");
  EXPECT_EQ(vb::CStr(1234567890123456.0), "1.23456789012346E+15");
  EXPECT_EQ(vb::CStr(0.0001), "0.0001");
  EXPECT_EQ(vb::CStr(0.00001), "1E-05");
  EXPECT_EQ(vb::CStr(-2.5e-7), "-2.5E-07");
  EXPECT_EQ(vb::CStr(1e100), "1E+100");
  EXPECT_EQ(vb::CStrSingle(1.1f), "1.1");
  EXPECT_EQ(vb::CStrSingle(1e7f), "1E+07");
  EXPECT_EQ(vb::CStrSingle(1234567.0f), "1234567");
  EXPECT_EQ(vb::CStrSingle(vb::CSng(0.1)), "0.1");
  EXPECT_EQ(vb::CStr(std::int64_t{-42}), "-42");
  EXPECT_EQ(vb::CStr(7), "7");
}

TEST(VbRounding, IntegerConversionsRoundHalfToEven) {
  EXPECT_EQ(vb::CInt(2.5), 2);
  EXPECT_EQ(vb::CInt(3.5), 4);
  EXPECT_EQ(vb::CInt(-2.5), -2);
  EXPECT_EQ(vb::CInt(-3.5), -4);
  EXPECT_EQ(vb::CInt(0.5), 0);
  EXPECT_EQ(vb::CInt(1.5), 2);
  EXPECT_EQ(vb::CInt(2.5000001), 3);
  EXPECT_EQ(vb::CInt(-0.4), 0);
  EXPECT_EQ(vb::CLng(2147483646.5), 2147483646);
  EXPECT_EQ(vb::CByte(254.5), 254);
  EXPECT_EQ(vb::CByte(-0.5), 0);
  EXPECT_EQ(vb::Int(-2.5), -3);
  EXPECT_EQ(vb::Fix(-2.5), -2);
  EXPECT_FALSE(std::signbit(vb::Fix(-0.5)));
}

TEST(VbRounding, OverflowSaturatesOrIsReported) {
  EXPECT_EQ(vb::CInt(32767.4), 32767);
  EXPECT_EQ(vb::CInt(32767.5), 32767);  // rounds to 32768: overflow
  EXPECT_FALSE(vb::TryCInt(32767.5).has_value());
  EXPECT_EQ(vb::TryCInt(-32768.5), -32768);  // rounds to even, fits
  EXPECT_FALSE(vb::TryCInt(-32769).has_value());
  EXPECT_EQ(vb::CInt(-1e9), -32768);
  EXPECT_EQ(vb::CLng(1e12), 2147483647);
  EXPECT_EQ(vb::CLng(-1e12), -2147483647 - 1);
  EXPECT_FALSE(vb::TryCLng(2147483647.5).has_value());
  EXPECT_EQ(vb::TryCLng(2147483647.4), 2147483647);
  EXPECT_FALSE(vb::TryCLng(std::nan("")).has_value());
  EXPECT_EQ(vb::CByte(256), 255);
  EXPECT_EQ(vb::CByte(-1), 0);
  EXPECT_EQ(vb::CSng(1e300), 3.40282347e38f);
}

TEST(VbFormat, PicturesAndLiterals) {
  EXPECT_EQ(vb::Format(5, "0"), "5");
  EXPECT_EQ(vb::Format(5, "00"), "05");
  EXPECT_EQ(vb::Format(5, "000"), "005");
  EXPECT_EQ(vb::Format(123456, "00"), "123456");
  EXPECT_EQ(vb::Format(42, "00000"), "00042");
  EXPECT_EQ(vb::Format(5, " 00"), " 05");
  EXPECT_EQ(vb::Format(3.14159, "0.0"), "3.1");
  EXPECT_EQ(vb::Format(3.14159, "0.00"), "3.14");
  EXPECT_EQ(vb::Format(0.25, "#0.0"), "0.3");
  EXPECT_EQ(vb::Format(0.5, "#.0"), ".5");
  EXPECT_EQ(vb::Format(12, "#"), "12");
  EXPECT_EQ(vb::Format(0, "#"), "");
  EXPECT_EQ(vb::Format(7, "0.00"), "7.00");
  EXPECT_EQ(vb::Format(1.5, "0.##"), "1.5");
  EXPECT_EQ(vb::Format(1234567.891, "#,##0.00"), "1,234,567.89");
  EXPECT_EQ(vb::Format(0.256, "0.0%"), "25.6%");
  EXPECT_EQ(vb::Format(5, "0\\V"), "5V");
  EXPECT_EQ(vb::Format(5, "0\" V\""), "5 V");
  EXPECT_EQ(vb::Format(-5, "0;(0)"), "(5)");
  EXPECT_EQ(vb::Format(2.5, ""), "2.5");
  EXPECT_EQ(vb::Format(1234.5, "Standard"), "1,234.50");
}

TEST(VbFormat, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  EXPECT_EQ(vb::Format(2.675, "0.00"), "2.68");  // the double is 2.67499999...
  EXPECT_EQ(vb::Format(1.005, "0.00"), "1.01");
  EXPECT_EQ(vb::Format(0.5, "0"), "1");
  EXPECT_EQ(vb::Format(1.5, "0"), "2");
  EXPECT_EQ(vb::Format(2.5, "0"), "3");  // not to even, unlike CInt
  EXPECT_EQ(vb::Format(-2.5, "0"), "-3");
  EXPECT_EQ(vb::Format(9.96, "0.0"), "10.0");
  EXPECT_EQ(vb::Format(99.5, "00"), "100");
  EXPECT_EQ(vb::Format(0.005, "0.00"), "0.01");
  EXPECT_EQ(vb::Format(0.004999, "0.00"), "0.00");
  EXPECT_EQ(vb::Format(0.1 + 0.2, "0.000000000000000000"), "0.300000000000000000");
}

TEST(VbFormat, MinusOnlyForValuesThatDoNotRoundToZero) {
  EXPECT_EQ(vb::Format(-0.001, "0.00"), "0.00");
  EXPECT_EQ(vb::Format(-0.4, "0"), "0");
  EXPECT_EQ(vb::Format(-0.0, "0.0"), "0.0");
  EXPECT_EQ(vb::Format(-0.005, "0.00"), "-0.01");
  EXPECT_EQ(vb::Format(-1.25, "0.0"), "-1.3");
  EXPECT_EQ(vb::Format(-5, " 00"), "- 05");
}

TEST(VbText, MidLeftRightNeverThrow) {
  EXPECT_EQ(vb::Mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(vb::Mid("abcdef", 4), "def");
  EXPECT_EQ(vb::Mid("abcdef", 5, 10), "ef");
  EXPECT_EQ(vb::Mid("abcdef", 7), "");
  EXPECT_EQ(vb::Mid("abcdef", 100, 2), "");
  EXPECT_EQ(vb::Mid("abcdef", 0, 2), "");
  EXPECT_EQ(vb::Mid("abcdef", 2, 0), "");
  EXPECT_EQ(vb::Mid("", 1, 1), "");
  EXPECT_EQ(vb::Left("abc", 5), "abc");
  EXPECT_EQ(vb::Left("abc", -1), "");
  EXPECT_EQ(vb::Right("abc", 2), "bc");
  EXPECT_EQ(vb::Right("abc", 9), "abc");
  EXPECT_EQ(vb::Right("abc", 0), "");
}

TEST(VbText, InStr) {
  EXPECT_EQ(vb::InStr("abcabc", "c"), 3);
  EXPECT_EQ(vb::InStr(4, "abcabc", "c"), 6);
  EXPECT_EQ(vb::InStr(7, "abcabc", "c"), 0);
  EXPECT_EQ(vb::InStr("abc", "x"), 0);
  EXPECT_EQ(vb::InStr("abc", ""), 1);
  EXPECT_EQ(vb::InStr(3, "abc", ""), 3);
  EXPECT_EQ(vb::InStr(4, "abc", ""), 4);
  EXPECT_EQ(vb::InStr(5, "abc", ""), 0);
  EXPECT_EQ(vb::InStr("", ""), 0);
  EXPECT_EQ(vb::InStr(0, "abc", "a"), 0);
  EXPECT_EQ(vb::InStrRev("a.b.c", "."), 4);
  EXPECT_EQ(vb::InStrRev("abc", "x"), 0);
}

TEST(VbText, CaseTrimAndMore) {
  EXPECT_EQ(vb::UCase("abc\xE9\xFF-\xDF"), "ABC\xC9\x9F-\xDF");
  EXPECT_EQ(vb::LCase("ABC\xC9\xD7"), "abc\xE9\xD7");
  EXPECT_EQ(vb::Trim(" \t a b \t "), "\t a b \t");
  EXPECT_EQ(vb::Replace("a--b--", "--", "+"), "a+b+");
  EXPECT_EQ(vb::Replace("abc", "", "x"), "abc");
  EXPECT_EQ(vb::Hex(-1), "FFFFFFFF");
  EXPECT_EQ(vb::Hex(255), "FF");
  EXPECT_EQ(vb::Chr(0xBA), "\xBA");
  EXPECT_EQ(vb::Asc("\xBA"), 0xBA);
  EXPECT_EQ(vb::Asc(""), 0);
  EXPECT_EQ(vb::Space(-2), "");
  EXPECT_EQ(vb::String(3, '*'), "***");
}

}  // namespace
