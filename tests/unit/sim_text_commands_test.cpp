// The simulated unit's text commands other than the dump and status lines:
// parameter writes, clock fields, resets, the data log, and how strictly it
// reads what the console paces out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/vb.h"
#include "link/reply_tokens.h"
#include "site_probe.h"

namespace {

using testkit::SiteProbe;

std::string Ask(SiteProbe& probe, const std::string& command) {
  probe.Type(command);
  probe.Run(50 * static_cast<std::int64_t>(command.size()) + 1500);
  return probe.Take();
}

// The V line's net, in and out ampere-hours.
std::vector<double> AmpHours(SiteProbe& probe) {
  std::string v = Ask(probe, "V");
  for (int i = 0; i < 5; ++i) lnk::NextIntToken(v);
  std::vector<double> ah;
  for (int i = 0; i < 3; ++i) ah.push_back(vb::Val(lnk::NextHundredthsToken(v)));
  return ah;
}

TEST(SimTextCommands, ParameterWriteChangesOneByteAndIsAnsweredWithAShortLine) {
  SiteProbe probe(sim::UnitConfig{});
  const std::string reply = Ask(probe, "Ss013090");
  EXPECT_EQ(probe.Unit().Memory(13), 90);
  EXPECT_EQ(reply, "Ss013090 OK\n\r");

  Ask(probe, "Ss007005");
  EXPECT_EQ(probe.Unit().Memory(7), 5);
}

TEST(SimTextCommands, ParameterWriteOutOfRangeIsRefusedWithoutAnswer) {
  SiteProbe probe(sim::UnitConfig{});
  const int before = probe.Unit().Memory(13);
  EXPECT_EQ(Ask(probe, "Ss013256"), "");
  EXPECT_EQ(Ask(probe, "Ss301000"), "");
  EXPECT_EQ(probe.Unit().Memory(13), before);
  EXPECT_EQ(probe.Unit().Rejections().size(), 2u);
}

TEST(SimTextCommands, TextWritesOfTheNewAddressTakeEffectWhenAllThreeCopiesAgree) {
  SiteProbe probe(sim::UnitConfig{.address = 7});
  const std::string bytes[] = {"000", "009", "000", "009", "000", "009"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(probe.Unit().Address(), 7) << "after " << i << " bytes";
    Ask(probe, "Ss" + std::to_string(268 + i) + bytes[i]);
  }
  EXPECT_EQ(probe.Unit().Address(), 9);
}

TEST(SimTextCommands, EqualiseRequestAndChargeCommandSetTheEqualisationFlag) {
  for (const char* command : {"Ss188001", "Ce"}) {
    SiteProbe probe(sim::UnitConfig{});
    std::string v = Ask(probe, "V");
    for (int i = 0; i < 2; ++i) lnk::NextIntToken(v);
    EXPECT_EQ(lnk::NextIntToken(v), "0");
    EXPECT_EQ(Ask(probe, command), std::string(command) + " OK\n\r");
    v = Ask(probe, "V");
    for (int i = 0; i < 2; ++i) lnk::NextIntToken(v);
    EXPECT_EQ(lnk::NextIntToken(v), "1") << command;
  }
}

TEST(SimTextCommands, ClockFieldsAreSetOneAtATime) {
  SiteProbe probe(sim::UnitConfig{}, vb::MakeDateTime(2026, 3, 2, 10, 0, 0));
  for (const char* field : {"TtY24", "TtM11", "TtD05", "Tth09", "Ttm07", "Tts30", "Ttd03"})
    EXPECT_EQ(Ask(probe, field), std::string(field) + " OK\n\r");
  const sim::ClockReading c = probe.Unit().Clock().Now();
  EXPECT_EQ(c.year, 2024);
  EXPECT_EQ(c.month, 11);
  EXPECT_EQ(c.day, 5);
  EXPECT_EQ(c.hour, 9);
  EXPECT_EQ(c.minute, 7);
  EXPECT_EQ(c.weekday, 3);
  EXPECT_GE(c.second, 30);  // and two more commands since
  EXPECT_LE(c.second, 34);

  EXPECT_EQ(Ask(probe, "TtM13"), "");
  EXPECT_EQ(Ask(probe, "Tth24"), "");
  EXPECT_EQ(Ask(probe, "Ttd07"), "");
  EXPECT_EQ(Ask(probe, "TtX01"), "");
  EXPECT_EQ(probe.Unit().Clock().Now().month, 11);
}

TEST(SimTextCommands, LogHoldsSevenRecordsOfSixteenTokensForTheDaysBeforeToday) {
  SiteProbe probe(sim::UnitConfig{}, vb::MakeDateTime(2026, 3, 2, 10, 0, 0));
  std::string reply = Ask(probe, "L");
  int line_feeds = 0;
  for (char c : reply) line_feeds += c == '\n';
  EXPECT_EQ(line_feeds, 7) << "the console may end the reply by counting lines";

  const char* days[] = {"02/23", "02/24", "02/25", "02/26", "02/27", "02/28", "03/01"};
  for (const char* day : days) {
    const std::string month = lnk::NextIntToken(reply);
    const std::string dom = lnk::NextIntToken(reply);
    EXPECT_EQ(month + "/" + dom, day);
    const double vmax = vb::Val(lnk::NextHundredthsToken(reply));
    const double vmin = vb::Val(lnk::NextHundredthsToken(reply));
    EXPECT_GT(vmax, vmin);
    EXPECT_GT(vmin, 40.0);
    for (int i = 0; i < 12; ++i) ASSERT_NE(lnk::NextIntToken(reply), "---");
  }
  EXPECT_EQ(lnk::NextIntToken(reply), "---");
}

TEST(SimTextCommands, DataLogResetLeavesSevenEmptyRecords) {
  SiteProbe probe(sim::UnitConfig{});
  EXPECT_EQ(Ask(probe, "Rd"), "Rd OK\n\r");
  std::string reply = Ask(probe, "L");
  for (int i = 0; i < 7 * 16; ++i) ASSERT_EQ(vb::Val(lnk::NextIntToken(reply)), 0) << i;
  EXPECT_EQ(lnk::NextIntToken(reply), "---");
}

TEST(SimTextCommands, AmpHourResetsClearTheirCounters) {
  SiteProbe probe(sim::UnitConfig{});
  probe.Unit().Status().pv_centiamps = 0;
  probe.Unit().Status().load_centiamps = 0;
  const std::vector<double> start = AmpHours(probe);
  ASSERT_GT(start[0], 0);
  ASSERT_GT(start[1], 0);

  Ask(probe, "Ri");
  EXPECT_EQ(AmpHours(probe), (std::vector<double>{start[0], 0, 0}));
  Ask(probe, "Rh");
  EXPECT_EQ(AmpHours(probe), (std::vector<double>{0, 0, 0}));

  SiteProbe other(sim::UnitConfig{});
  other.Unit().Status().pv_centiamps = 0;
  other.Unit().Status().load_centiamps = 0;
  Ask(other, "Cr");
  EXPECT_EQ(AmpHours(other), (std::vector<double>{0, 0, 0}));
}

TEST(SimTextCommands, MemoryResetClearsTheBatteryMemoryRecords) {
  SiteProbe probe(sim::UnitConfig{});
  const int batt_cal = probe.Unit().Memory(8);
  EXPECT_EQ(Ask(probe, "Rr"), "Rr OK\n\r");
  for (int a : {101, 102, 105, 113, 161, 168, 171}) EXPECT_EQ(probe.Unit().Memory(a), 0) << a;
  EXPECT_EQ(probe.Unit().Memory(8), batt_cal);
}

TEST(SimTextCommands, UIsTakenOnlyOnceNoOFollows) {
  SiteProbe probe(sim::UnitConfig{});
  EXPECT_EQ(Ask(probe, "Uo"), "Uo OK\n\r");
  EXPECT_EQ(Ask(probe, "Mm"), "Mm OK\n\r");
  const std::string u = Ask(probe, "U");
  EXPECT_EQ(u.substr(0, 2), "U ");
  EXPECT_EQ(probe.Unit().Commands(), (std::vector<std::string>{"Uo", "Mm", "U"}));
}

TEST(SimTextCommands, SiteLogNamesTheSiteAndHoldsTheWeek) {
  SiteProbe probe(sim::UnitConfig{.address = 12});
  std::string reply = Ask(probe, "Pp");
  EXPECT_EQ(reply.substr(0, reply.find('\n')), "Site log 12");
  int line_feeds = 0;
  for (char c : reply) line_feeds += c == '\n';
  EXPECT_EQ(line_feeds, 8);
}

TEST(SimTextCommands, BrokenAndUnfinishedCommandsAreDroppedAndTheNextOneStillWorks) {
  SiteProbe probe(sim::UnitConfig{});
  EXPECT_EQ(Ask(probe, "Sx"), "");       // broken: "x" is no command either
  EXPECT_EQ(Ask(probe, "Ss0130"), "");   // left unfinished
  EXPECT_EQ(Ask(probe, "rr"), "");       // case matters
  EXPECT_EQ(Ask(probe, "+++"), "");      // what a modem escape leaves on the line
  EXPECT_EQ(Ask(probe, "\r\r"), "");     // stray line ends are nothing
  EXPECT_TRUE(probe.Unit().Commands().empty());
  EXPECT_EQ(Ask(probe, "Ss013091"), "Ss013091 OK\n\r");
  EXPECT_EQ(probe.Unit().Memory(13), 91);
}

TEST(SimTextCommands, RepliesLeaveInOrderAfterTheReplyDelay) {
  SiteProbe probe(sim::UnitConfig{.reply_delay_ms = 40});
  probe.Unit().Faults().slow_replies = 1;
  probe.Unit().Faults().slow_reply_ms = 500;
  const vb::DateTime start = probe.rt.Now();
  probe.Type("VL", 10);  // the slow V, then L at once: L may not overtake it
  probe.Run(3000);
  const std::string all = probe.Take();
  EXPECT_EQ(all.substr(0, 2), "V ");
  EXPECT_GE(probe.Arrivals().front().at - start, 540);
}

}  // namespace
