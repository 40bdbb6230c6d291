// The simulated unit's answer to the text dump command, read the way the
// console reads it: checked lines through the console's own CRC-16 check,
// plain lines through its tokenizer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/vb.h"
#include "link/command_table.h"
#include "link/crc16_line.h"
#include "link/reply_tokens.h"
#include "site_probe.h"

namespace {

// The lines of a checked dump as the console cuts them: from the character
// after one carriage return to two characters before the next.
std::vector<std::string> CheckedLines(const std::string& reply) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  for (std::size_t cr = reply.find('\r'); cr != std::string::npos; cr = reply.find('\r', pos)) {
    lines.push_back(cr > pos ? reply.substr(pos, cr - pos - 1) : std::string());
    pos = cr + 1;
  }
  return lines;
}

// Address -> value of every checked line that passes the console's check;
// `failed` collects the lines that do not.
std::map<int, int> AcceptedLines(const std::string& reply, std::vector<std::string>* failed) {
  std::map<int, int> values;
  for (std::string line : CheckedLines(reply)) {
    const std::string original = line;
    if (!lnk::CheckLineCrc16(line)) {
      if (failed) failed->push_back(original);
      continue;
    }
    if (line.size() == 7)
      values[static_cast<int>(vb::Val(line.substr(0, 3)))] = static_cast<int>(vb::Val(line.substr(4, 3)));
  }
  return values;
}

std::string Dump(testkit::SiteProbe& probe) {
  probe.TypeDump();
  probe.Run(6000);
  return probe.Take();
}

TEST(SimTextDump, CheckedDumpPassesTheConsolesLineCheckForEveryAddress) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 32116});
  const std::string reply = Dump(probe);

  EXPECT_EQ(reply.find('\r'), 8u) << "the first carriage return marks a checked dump";
  std::vector<std::string> failed;
  const auto values = AcceptedLines(reply, &failed);
  EXPECT_TRUE(failed.empty()) << failed.front();
  ASSERT_EQ(values.size(), 256u);
  for (int a = 0; a <= 255; ++a) EXPECT_EQ(values.at(a), probe.Unit().Memory(a)) << "address " << a;
  // The firmware the console derives from parameters 3, 4 and 5.
  EXPECT_EQ(values.at(3) * 10000 + values.at(4) * 100 + values.at(5), 32116);
}

TEST(SimTextDump, PlainDumpHoldsEachAddressAfterALineStartAndIsNeverMistakenForChecked) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 30100});
  probe.Unit().SetMemory(7, 120);
  std::string reply = Dump(probe);

  EXPECT_NE(reply.find('\r'), 8u);
  EXPECT_NE(reply.find("\n\r  7 120\n"), std::string::npos);
  // The first number is the last address; the rest are address/value pairs.
  EXPECT_EQ(lnk::NextIntToken(reply), "255");
  for (int a = 0; a <= 255; ++a) {
    ASSERT_EQ(lnk::NextIntToken(reply), std::to_string(a));
    EXPECT_EQ(vb::Val(lnk::NextIntToken(reply)), probe.Unit().Memory(a)) << "address " << a;
  }
  EXPECT_EQ(lnk::NextIntToken(reply), "---");
}

TEST(SimTextDump, FactoryValuesLieWithinTheConsolesRowRanges) {
  for (int volts : {12, 24, 48}) {
    for (auto dialect : {sim::Dialect::kText, sim::Dialect::kV4}) {
      testkit::SiteProbe probe(sim::UnitConfig{.dialect = dialect, .system_volts = volts});
      sim::Unit& u = probe.Unit();
      for (int a : {0, 1, 2, 75, 76, 77, 82, 83, 84}) EXPECT_LE(u.Memory(a), 99) << a;
      EXPECT_EQ(u.Memory(19), volts / 12);
      for (int a : {23, 41, 60}) EXPECT_LE(u.Memory(a), 1) << a;
      for (int a : {26, 29, 32, 35, 38, 44, 47}) EXPECT_LE(u.Memory(a), 2) << a;
      EXPECT_LE(u.Memory(56), 23);
      EXPECT_LE(u.Memory(58), 23);
      EXPECT_LE(u.Memory(57), 59);
      EXPECT_LE(u.Memory(59), 59);
      // Disconnect above reconnect, and both in the 12 V block's charging range.
      EXPECT_GT(u.Memory(27), u.Memory(28));
      EXPECT_GT(u.Memory(30), u.Memory(31));
      EXPECT_GT(u.Memory(27), 0);
      EXPECT_LT(u.Memory(27), 255);
    }
  }
}

TEST(SimTextDump, MissingAddressIsLeftOutOnlyAsOftenAsAsked) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 30100});
  probe.Unit().Faults().missing_dump_addresses[200] = 1;
  const std::string first = Dump(probe);
  const std::string second = Dump(probe);
  EXPECT_EQ(first.find("\r200 "), std::string::npos);
  EXPECT_NE(first.find("\r199 "), std::string::npos);
  EXPECT_NE(first.find("\r201 "), std::string::npos);
  EXPECT_NE(second.find("\r200 "), std::string::npos);
}

TEST(SimTextDump, BadCrcFaultSpoilsTheChosenLineOfOneDump) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 32116});
  probe.Unit().Faults().bad_crc_replies = 1;
  probe.Unit().Faults().bad_crc_dump_address = 42;

  std::vector<std::string> failed;
  const auto values = AcceptedLines(Dump(probe), &failed);
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(vb::Val(failed[0].substr(0, 3)), 42);
  EXPECT_EQ(values.count(42), 0u);
  EXPECT_EQ(values.size(), 255u);

  failed.clear();
  EXPECT_EQ(AcceptedLines(Dump(probe), &failed).size(), 256u);
  EXPECT_TRUE(failed.empty());
}

TEST(SimTextDump, DumpNeedsTheAccessCode) {
  testkit::SiteProbe probe(sim::UnitConfig{});
  std::string wrong = "\r" + std::string(lnk::kAccessCode, lnk::kAccessCodeLength) + "\r";
  wrong[3] = static_cast<char>(0xA2);
  probe.Send("D");
  probe.rt.After(50, [&] { probe.Send(wrong); });
  probe.Run(3000);
  EXPECT_EQ(probe.Take(), "");

  probe.Send("D");  // the code never follows
  probe.Run(3000);
  EXPECT_EQ(probe.Take(), "");
  EXPECT_EQ(probe.Unit().Rejections().size(), 2u);
  EXPECT_TRUE(probe.Unit().Commands().empty());

  EXPECT_FALSE(Dump(probe).empty());
  ASSERT_EQ(probe.Unit().Commands().size(), 1u);
  EXPECT_EQ(probe.Unit().Commands()[0], "D");
}

TEST(SimTextDump, DumpGoesOutAtNineThousandSixHundredBaudAfterTheReplyDelay) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 30100, .reply_delay_ms = 20});
  const vb::DateTime start = probe.rt.Now();
  probe.TypeDump();
  probe.Run(6000);
  const auto& pieces = probe.Arrivals();
  ASSERT_FALSE(pieces.empty());
  const std::int64_t code_sent = 50;
  const std::int64_t first = pieces.front().at - start;
  const std::int64_t last = pieces.back().at - start;
  const double chars = static_cast<double>(probe.Received().size());
  // The first piece holds up to 16 characters.
  EXPECT_GE(first, code_sent + 20);
  EXPECT_LE(first, code_sent + 20 + 17);
  EXPECT_NEAR(static_cast<double>(last - code_sent - 20), chars * 10000.0 / 9600.0, 2.0);
  for (const auto& piece : pieces) EXPECT_LE(piece.bytes.size(), 16u);
}

TEST(SimTextDump, GarbageFaultPutsBytesInFrontOfTheReply) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 32116});
  probe.Unit().Faults().garbage_replies = 1;
  probe.Unit().Faults().garbage = "\x7F#";
  const std::string reply = Dump(probe);
  EXPECT_EQ(reply.substr(0, 2), "\x7F#");
  EXPECT_NE(reply.find('\r'), 8u) << "the console no longer sees a checked dump";
  EXPECT_EQ(Dump(probe).find('\r'), 8u);
}

}  // namespace
