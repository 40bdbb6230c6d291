// The simulated unit's "U" and "V" status lines in every firmware layout,
// read with the console's own check and tokenizers; and its V4 status block,
// turned back into lines by the console's decoder, agreeing with them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/vb.h"
#include "link/crc16_line.h"
#include "link/reply_tokens.h"
#include "link/v4_packet.h"
#include "link/v4_status_packet.h"
#include "site_probe.h"

namespace {

// The line as the console's reply cleaning leaves it: cut before the first
// line feed, carriage returns and line feeds blanked.
std::string Cleaned(const std::string& reply) {
  std::string s = reply.substr(0, reply.find('\n'));
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

std::vector<std::string> Tokens(std::string line) {
  std::vector<std::string> tokens;
  for (std::string t = lnk::NextIntToken(line); t != lnk::kMissingNumber; t = lnk::NextIntToken(line))
    tokens.push_back(t);
  return tokens;
}

// Numeric values: a byte field of the packet reads "01" where the text line
// has "1".
std::vector<double> Values(std::string line) {
  std::vector<double> values;
  for (const std::string& t : Tokens(std::move(line))) values.push_back(vb::Val(t));
  return values;
}

std::string Ask(testkit::SiteProbe& probe, const char* command) {
  probe.Type(command);
  probe.Run(1000);
  return probe.Take();
}

TEST(SimStatusLines, OldFirmwareSendsUncheckedLinesInTenths) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 30100, .system_volts = 48},
                           vb::MakeDateTime(2026, 3, 2, 14, 5, 9));
  sim::LiveStatus& s = probe.Unit().Status();
  s.battery_centivolts = 5324;
  s.pv_centiamps = 1230;
  s.load_centiamps = 450;
  s.battery_temp_c = -5;
  s.relay_bits = sim::kRelayPv1Open | sim::kAlarmLva;

  const std::string u = Ask(probe, "U");
  EXPECT_EQ(u.substr(u.size() - 2), "\n\r");
  std::string line = Cleaned(u);
  std::string unchecked = line;
  EXPECT_FALSE(lnk::CheckLineCrc16(unchecked));
  // Token by token as the console's U parser reads them.
  EXPECT_EQ(lnk::NextIntToken(line), "26");
  EXPECT_EQ(lnk::NextIntToken(line), "03");
  EXPECT_EQ(lnk::NextIntToken(line), "02");
  lnk::NextIntToken(line);
  EXPECT_EQ(lnk::NextIntToken(line), "14");
  EXPECT_EQ(lnk::NextIntToken(line), "05");
  EXPECT_EQ(lnk::NextIntToken(line), "09");
  EXPECT_EQ(lnk::NextIntToken(line), "1");  // a Monday
  EXPECT_EQ(lnk::NextHundredthsToken(line), "53.24");
  EXPECT_EQ(lnk::NextTenthsToken(line), "12.3");
  EXPECT_EQ(lnk::NextTenthsToken(line), "4.5");
  EXPECT_EQ(lnk::NextIntToken(line), "-5");
  lnk::NextIntToken(line);
  EXPECT_EQ(lnk::NextIntToken(line), "72");
  EXPECT_EQ(lnk::NextIntToken(line), "0");
  lnk::NextIntToken(line);
  EXPECT_EQ(lnk::NextIntToken(line), "---") << "no state of charge but on 40100";

  std::string v = Cleaned(Ask(probe, "V"));
  EXPECT_EQ(Tokens(v).size(), 8u);
}

TEST(SimStatusLines, CheckedLinesPassTheConsolesCheckAndLoseOnlyTheirDigits) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 32116});
  for (const char* command : {"U", "V"}) {
    std::string line = Cleaned(Ask(probe, command));
    const std::string before = line;
    ASSERT_TRUE(lnk::CheckLineCrc16(line)) << before;
    EXPECT_EQ(line, before.substr(0, before.size() - 4));
    EXPECT_EQ(line.front(), command[0]);
  }
}

TEST(SimStatusLines, BadCrcFaultFailsTheCheckOnceThenTheLineIsGoodAgain) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 40200});
  probe.Unit().Faults().bad_crc_replies = 1;
  std::string first = Cleaned(Ask(probe, "U"));
  std::string second = Cleaned(Ask(probe, "U"));
  EXPECT_TRUE(lnk::IsHexText(first.substr(first.size() - 4))) << "wrong, not malformed";
  EXPECT_FALSE(lnk::CheckLineCrc16(first));
  EXPECT_TRUE(lnk::CheckLineCrc16(second));
}

TEST(SimStatusLines, Firmware40100SendsCurrentsInHundredthsAndTheStateOfCharge) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 40100, .system_volts = 48});
  sim::Unit& unit = probe.Unit();
  unit.Status().pv_centiamps = 1234;
  unit.Status().load_centiamps = 567;
  unit.Status().ah_net = 100;  // of 400 Ah
  std::string line = Cleaned(Ask(probe, "U"));
  ASSERT_TRUE(lnk::CheckLineCrc16(line));
  for (int i = 0; i < 9; ++i) lnk::NextIntToken(line);
  EXPECT_EQ(lnk::NextHundredthsToken(line), "12.34");
  EXPECT_EQ(lnk::NextHundredthsToken(line), "5.67");
  for (int i = 0; i < 5; ++i) lnk::NextIntToken(line);
  // The counters ran on for the moments the command took: about 25.00 %.
  EXPECT_NEAR(vb::Val(lnk::NextHundredthsToken(line)), 25.0, 0.01);
  EXPECT_EQ(lnk::NextIntToken(line), "---");
}

TEST(SimStatusLines, ClockAndAmpHoursRunOnWithTime) {
  testkit::SiteProbe probe(sim::UnitConfig{.firmware = 30100}, vb::MakeDateTime(2026, 3, 7, 23, 59, 0));
  sim::Unit& unit = probe.Unit();
  unit.Status().pv_centiamps = 1000;  // 10 A in
  unit.Status().load_centiamps = 0;
  const double in_before = unit.Status().ah_in;
  probe.Run(3'600'000);
  const std::vector<std::string> u = Tokens(Cleaned(Ask(probe, "U")));
  // Saturday 23:59 plus an hour: Sunday, weekday 0, 00:59 on the 8th.
  EXPECT_EQ((std::vector<std::string>{u[0], u[1], u[2], u[4], u[5], u[7]}),
            (std::vector<std::string>{"26", "03", "08", "00", "59", "0"}));
  std::string v = Cleaned(Ask(probe, "V"));
  for (int i = 0; i < 6; ++i) lnk::NextIntToken(v);
  EXPECT_NEAR(vb::Val(lnk::NextHundredthsToken(v)), in_before + 10.0, 0.01);
}

// The same unit's text lines and its V4 status block, at the same moment,
// give the console the same tokens.
void ExpectV4StatusMatchesTextLines(std::int32_t firmware) {
  testkit::SiteProbe probe(sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = firmware},
                           vb::MakeDateTime(2026, 3, 2, 10, 0, 0));
  sim::LiveStatus& s = probe.Unit().Status();
  s.battery_temp_c = -3;
  s.relay_bits = sim::kRelayLoadOpen | sim::kAlarmHva;
  s.generator_bits = sim::kGeneratorRunning;
  s.equalize = true;
  s.pv_centiamps = 1230;  // whole tenths, as both layouts can carry them
  s.load_centiamps = 450;

  probe.SendV4(1, "D");
  probe.Type("U");
  probe.rt.After(400, [&] { probe.Type("V"); });
  probe.Run(2000);
  const std::string all = probe.Take();
  const std::size_t packet_end = all.find('\r');
  ASSERT_NE(packet_end, std::string::npos);
  std::string packet_buf;
  ASSERT_TRUE(lnk::DecodeV4Packet(all.substr(0, packet_end + 1), packet_buf));
  std::string text = all.substr(packet_end + 1);
  std::string u_text = Cleaned(text);
  std::string v_text = Cleaned(text.substr(text.find('\r') + 1));
  ASSERT_TRUE(lnk::CheckLineCrc16(u_text));
  ASSERT_TRUE(lnk::CheckLineCrc16(v_text));

  EXPECT_EQ(Values(lnk::BuildV4StatusULine(packet_buf, firmware)), Values(u_text));
  EXPECT_EQ(Values(lnk::BuildV4StatusVLine(packet_buf, firmware)), Values(v_text));
}

TEST(SimStatusLines, V4StatusBlockAgreesWithTheTextLinesInTheStateOfChargeLayout) {
  ExpectV4StatusMatchesTextLines(40100);
}

TEST(SimStatusLines, V4StatusBlockAgreesWithTheTextLinesInTheOtherLayout) {
  ExpectV4StatusMatchesTextLines(40200);
}

}  // namespace
