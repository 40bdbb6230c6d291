// The dump parsers: which addresses a plain, sequential or checked dump
// fills, and when a dump counts as incomplete (so that it is asked for again).
#include <gtest/gtest.h>

#include <string>

#include "console_harness.h"
#include "gtest_operator.h"
#include "sample_parameter_dump.h"
#include "unit/dump_loading.h"

namespace {

using testkit::CheckedLine;
using testkit::ParameterValues;

class DumpLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  unit::ParameterImage& Image() { return h.console.param; }
  void ParsePlain(const std::string& text) {
    h.console.st.RxBuffer = text;
    unit::ParseEepromDump(h.console);
  }
  void ParseChecked(const std::string& text) {
    h.console.st.RxBuffer = text;
    unit::ParseCheckedDump(h.console);
  }
  static std::string WithoutLine(std::string dump, const std::string& line) {
    const std::size_t at = dump.find(line);
    EXPECT_NE(at, std::string::npos);
    return dump.erase(at, line.size());
  }

  testkit::ConsoleHarness h;
  const ParameterValues sample = testkit::SampleParameters();
};

TEST_F(DumpLoading, PlainDumpFillsEveryAddressItCarries) {
  ParsePlain(testkit::PlainDump(sample));
  EXPECT_FALSE(Image().DumpIncomplete);
  EXPECT_TRUE(Image().ParamLoadInProgress);
  for (int a = 0; a <= 255; ++a) {
    ASSERT_EQ(Image().Eeprom[a], sample[a]) << "address " << a;
    ASSERT_TRUE(Image().Received[a]);
  }
  EXPECT_FALSE(Image().Received[256]);  // a text unit's dump ends at 255
}

TEST_F(DumpLoading, V4UnitsSendTextDumpsUpTo267) {
  h.console.st.V4Mode = true;
  ParameterValues values = sample;
  values[267] = 9;
  ParsePlain(testkit::PlainDump(values, 255));
  EXPECT_TRUE(Image().DumpIncomplete) << "256 to 267 were never received";

  ParsePlain(testkit::PlainDump(values, 267));
  EXPECT_FALSE(Image().DumpIncomplete);
  EXPECT_EQ(Image().Eeprom[267], 9);
}

TEST_F(DumpLoading, MissingAddressIsIncompleteUnlessReceivedBefore) {
  Image().Eeprom[200] = 77;
  const std::string dump = WithoutLine(testkit::PlainDump(sample), "\r\n200 0");
  ParsePlain(dump);
  EXPECT_TRUE(Image().DumpIncomplete);
  EXPECT_EQ(Image().Eeprom[200], 77);
  EXPECT_EQ(Image().Eeprom[201], sample[201]) << "the rest is still read";

  // A repeat of the request: 200 arrived in the earlier try.
  Image().Received[200] = true;
  ParsePlain(dump);
  EXPECT_FALSE(Image().DumpIncomplete);
}

TEST_F(DumpLoading, ValueOutsideAByteLeavesTheAddressAlone) {
  Image().Eeprom[9] = 5;
  std::string dump = testkit::PlainDump(sample);
  dump.replace(dump.find("\r\n  9 128"), 9, "\r\n  9 300");
  dump.replace(dump.find("\r\n 11 100"), 9, "\r\n 11 9999999999");  // beyond any integer
  ParsePlain(dump);
  EXPECT_EQ(Image().Eeprom[9], 5);
  EXPECT_FALSE(Image().Received[9]);
  EXPECT_FALSE(Image().DumpIncomplete);
  EXPECT_EQ(Image().Eeprom[10], sample[10]);
  EXPECT_FALSE(Image().Received[11]);
  EXPECT_EQ(Image().Eeprom[12], sample[12]);
}

TEST_F(DumpLoading, AnAddressIsReadFromItsOwnLine) {
  // Noise in line 4 that looks like the label of address 5.
  ParsePlain("\r\n  4 18  5 99\r\n  5 7\r\n");
  EXPECT_EQ(Image().Eeprom[4], 18);
  EXPECT_EQ(Image().Eeprom[5], 7);
}

TEST_F(DumpLoading, SequentialDumpTakesTheValuesInAddressOrder) {
  Image().SequentialDump = true;
  ParsePlain(testkit::SequentialDump(sample));
  for (int a = 0; a <= 255; ++a) ASSERT_EQ(Image().Eeprom[a], sample[a]) << "address " << a;
  EXPECT_FALSE(Image().DumpIncomplete);

  // A saved checked dump's check digits are no values; a line that fails
  // its check (120 lost a digit) gives none and shifts no other.
  std::string saved = testkit::SavedCheckedDump(sample);
  saved.replace(saved.find(CheckedLine("120 004")) + 6, 1, "9");
  Image().Eeprom.fill(1);
  ParsePlain(saved);
  Image().SequentialDump = false;
  for (int a = 0; a <= 255; ++a) ASSERT_EQ(Image().Eeprom[a], a == 120 ? 1 : sample[a]) << a;
}

TEST_F(DumpLoading, CheckedDumpFillsTheImageAndEndsTheLoad) {
  Image().ParamLoadInProgress = true;
  ParseChecked(testkit::CheckedDump(sample));
  EXPECT_FALSE(Image().DumpIncomplete);
  for (int a = 0; a <= 255; ++a) {
    ASSERT_EQ(Image().Eeprom[a], sample[a]) << "address " << a;
    ASSERT_TRUE(Image().Received[a]);
  }
  EXPECT_FALSE(Image().ParamLoadInProgress);  // the bounds were reported (no message)
}

TEST_F(DumpLoading, CorruptedCheckedLineIsNotStoredAndAsksAgain) {
  std::string dump = testkit::CheckedDump(sample);
  // The line of address 120 loses a digit of its value on the way; lines
  // before it were good, so it is not the first line that fails.
  ASSERT_EQ(sample[120], 4);
  const std::string good = CheckedLine("120 004");
  ASSERT_NE(dump.find(good), std::string::npos);
  std::string bad = good;
  bad[6] = bad[6] == '9' ? '8' : '9';
  dump.replace(dump.find(good), good.size(), bad);
  Image().Eeprom[120] = 1;
  ParseChecked(dump);
  EXPECT_TRUE(Image().DumpIncomplete);
  EXPECT_EQ(Image().Eeprom[120], 1);
  EXPECT_EQ(Image().Eeprom[121], sample[121]);

  // A corrupted first line counts the same.
  std::string first_bad = testkit::CheckedDump(sample);
  first_bad[0] = '1';
  ParseChecked(first_bad);
  EXPECT_TRUE(Image().DumpIncomplete);
}

TEST_F(DumpLoading, GoodCheckedLinesThatCarryNoParameterAreIgnored) {
  const std::string dump = CheckedLine("255") + "\n\r" +          // the count line
                           CheckedLine("999 001") + "\n\r" +      // no such address
                           CheckedLine("012 300") + "\n\r" +      // not a byte
                           CheckedLine("-01 005") + "\n\r" +      // no such address
                           CheckedLine("hello world") + "\n\r" +  // another length
                           "\n\r" +                               // an empty line
                           CheckedLine("013 090") + "\n\r" +
                           CheckedLine("014 003");                // no line end: not a line
  Image().Eeprom[12] = 15;
  Image().Eeprom[14] = 1;
  ParseChecked(dump);
  EXPECT_FALSE(Image().DumpIncomplete);
  EXPECT_EQ(Image().Eeprom[12], 15);
  EXPECT_EQ(Image().Eeprom[13], 90);
  EXPECT_EQ(Image().Eeprom[14], 1);
}

}  // namespace
