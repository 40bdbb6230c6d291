// The simulated Hayes modem in front of a unit: command echo and results,
// dialling outcomes, the "+++" escape with its guard time, hanging up, and
// a unit's alarm call-in answered by auto-answer.
#include <gtest/gtest.h>

#include <string>

#include "common/vb.h"
#include "link/reply_tokens.h"
#include "site_probe.h"

namespace {

using testkit::SiteProbe;

class SimModem : public ::testing::Test {
 protected:
  SimModem() : probe(sim::UnitConfig{.firmware = 30100, .address = 12}) {}

  sim::HayesModem& Modem(sim::ModemConfig config = {}) {
    if (probe.site.Modem() == nullptr) probe.AddModem(std::move(config));
    return *probe.site.Modem();
  }
  // Types a line as the console paces it; returns when it has gone out.
  void TypeLine(const std::string& line) {
    probe.Type(line);
    probe.Run(50 * static_cast<std::int64_t>(line.size()));
  }
  // Time since t0 at which the received text first held needle, or -1.
  std::int64_t ArrivalOf(const std::string& needle) {
    std::string so_far;
    for (const auto& piece : probe.Arrivals()) {
      so_far += piece.bytes;
      if (so_far.find(needle) != std::string::npos) return piece.at - t0;
    }
    return -1;
  }
  void Connect() {
    Modem();
    TypeLine("ATDT5551234\r");
    ASSERT_TRUE(probe.RunUntilReceived("CONNECT 9600\r\n", 10'000));
    probe.Take();
  }

  SiteProbe probe;
  vb::DateTime t0 = probe.rt.Now();
};

TEST_F(SimModem, CommandsAreEchoedAndAnsweredOk) {
  Modem();
  TypeLine("AT&F1S0=0\r");
  probe.Run(100);
  EXPECT_EQ(probe.Take(), "AT&F1S0=0\r\r\nOK\r\n");
  EXPECT_EQ(Modem().Register(0), 0);
  EXPECT_EQ(Modem().CommandLines().back(), "AT&F1S0=0");
}

TEST_F(SimModem, ResultFormatFollowsVerboseQuietAndEchoSettings) {
  Modem();
  TypeLine("ATE0V0\r");
  probe.Run(100);
  EXPECT_EQ(probe.Take(), "ATE0V0\r0\r") << "echoed while E1, answered in the new form";
  TypeLine("ATV1S0=2S0?\r");
  probe.Run(100);
  EXPECT_EQ(probe.Take(), "\r\n002\r\n\r\nOK\r\n");
  TypeLine("ATQ1\r");
  TypeLine("ATJ\r");
  probe.Run(100);
  EXPECT_EQ(probe.Take(), "");
  TypeLine("junk\rATZ\r");
  probe.Run(100);
  EXPECT_EQ(probe.Take(), "\r\nOK\r\n") << "a line without AT is ignored; Z restores the factory settings";
  TypeLine("ATJ\r");
  probe.Run(100);
  EXPECT_EQ(probe.Take(), "ATJ\r\r\nERROR\r\n");
}

TEST_F(SimModem, DialConnectsAfterItsDelayAndThenDataReachesTheUnit) {
  Modem();
  TypeLine("ATDT555-1234\r");
  const std::int64_t cr_sent = 50 * 12;
  probe.Run(9000);
  EXPECT_EQ(Modem().Dialled().back(), "5551234");
  EXPECT_NE(probe.Received().find("ATDT555-1234\r"), std::string::npos);
  const std::int64_t connect_at = ArrivalOf("CONNECT 9600\r\n");
  ASSERT_GT(connect_at, 0);
  EXPECT_NEAR(static_cast<double>(connect_at), static_cast<double>(cr_sent + 8000), 20.0);
  EXPECT_TRUE(Modem().Carrier());
  probe.Take();

  probe.Type("U");
  probe.Run(1000);
  EXPECT_EQ(probe.Take().substr(0, 2), "U ") << "no echo on line: the unit's answer only";
}

TEST_F(SimModem, BusyNoCarrierAndNoAnswerAsConfiguredPerNumber) {
  sim::ModemConfig config;
  config.outcome_by_number = {{"111", sim::DialOutcome::kBusy},
                              {"222", sim::DialOutcome::kNoCarrier},
                              {"333", sim::DialOutcome::kNoAnswer}};
  Modem(config);

  TypeLine("ATDT111\r");
  probe.Run(5000);
  EXPECT_EQ(probe.Take(), "ATDT111\r\r\nBUSY\r\n");

  t0 = probe.rt.Now();
  TypeLine("ATDT222\r");
  probe.Run(51'000);
  // S7 = 50 s from the carriage return (7 x 50 ms), plus the result's characters.
  EXPECT_NEAR(static_cast<double>(ArrivalOf("NO CARRIER")), 350 + 50'000 + 15, 3);
  probe.Take();

  TypeLine("ATDT333\r");
  probe.Run(70'000);
  EXPECT_EQ(probe.Take(), "ATDT333\r") << "the echo, and nothing for longer than the console waits";
  EXPECT_EQ(Modem().state(), sim::HayesModem::State::kDialing);
  probe.Send("+");  // any character abandons the call
  probe.Run(100);
  EXPECT_EQ(probe.Take(), "\r\nNO CARRIER\r\n");
  EXPECT_EQ(Modem().state(), sim::HayesModem::State::kCommand);
}

TEST_F(SimModem, EscapeWithGuardTimeThenHangUpAsTheConsoleDoesIt) {
  Connect();
  probe.Run(1500);  // silence before
  t0 = probe.rt.Now();
  probe.Type("+++");
  probe.Run(1500);  // the console waits 1.5 s
  EXPECT_EQ(probe.Take(), "\r\nOK\r\n");
  EXPECT_NEAR(static_cast<double>(ArrivalOf("OK")), 100 + 1000, 10) << "one guard time after the last +";
  EXPECT_EQ(Modem().state(), sim::HayesModem::State::kOnlineCommand);
  EXPECT_TRUE(Modem().Carrier());

  TypeLine("ATH0\r");
  probe.Run(100);
  EXPECT_EQ(probe.Take(), "ATH0\r\r\nOK\r\n");
  EXPECT_FALSE(Modem().Carrier());
}

TEST_F(SimModem, PlusesWithoutTheGuardTimesAreOnlyData) {
  Connect();
  probe.Type("V");
  probe.rt.After(300, [&] { probe.Type("+++"); });  // too soon after data
  probe.Run(3000);
  EXPECT_EQ(probe.Take().find("OK"), std::string::npos);

  probe.Type("+++");  // now after silence, but followed by data within the guard time
  probe.rt.After(600, [&] { probe.Type("V"); });
  probe.Run(3000);
  const std::string after = probe.Take();
  EXPECT_EQ(after.find("OK"), std::string::npos);
  EXPECT_EQ(after.substr(0, 2), "V ");
  EXPECT_EQ(Modem().state(), sim::HayesModem::State::kOnline);

  probe.Type("++++");  // four are not an escape either
  probe.Run(3000);
  EXPECT_EQ(probe.Take(), "");
}

TEST_F(SimModem, HangingUpCutsOffTheUnitsReply) {
  Connect();
  probe.TypeDump();
  probe.Run(1200);
  ASSERT_TRUE(probe.Unit().Sending());
  probe.Type("+++");
  probe.Run(1200);
  const std::string before = probe.Take();
  EXPECT_EQ(before.substr(before.size() - 6), "\r\nOK\r\n") << "no dump bytes after the escape";
  TypeLine("ATH0\r");
  probe.Run(3000);
  EXPECT_EQ(probe.Take(), "ATH0\r\r\nOK\r\n");
  EXPECT_FALSE(probe.Unit().Sending());
}

TEST_F(SimModem, AlarmCallInIsAnsweredAndReadsAsTheConsoleExpects) {
  probe.Unit().AlarmFlags() = "0100000100000000";
  probe.Unit().Clock().SetAll(26, 2, 21, 6, 14, 30, 0);
  Modem();
  TypeLine("AT&F1E0Q0V1&C1&D2S0=1\r");
  probe.Run(100);
  EXPECT_EQ(probe.Take(), "AT&F1E0Q0V1&C1&D2S0=1\r\r\nOK\r\n");

  t0 = probe.rt.Now();
  ASSERT_TRUE(probe.site.StartAlarmCall());
  probe.Run(10'000);
  std::string rx = probe.Take();
  EXPECT_LE(ArrivalOf("RING"), 10);
  EXPECT_NEAR(static_cast<double>(ArrivalOf("CONNECT 9600")), 3000 + 15, 3);
  EXPECT_FALSE(Modem().Carrier());

  // As the console finds it: the report, then the modem's NO CARRIER after it.
  const std::size_t report = rx.find("Alarm Report");
  ASSERT_NE(report, std::string::npos);
  EXPECT_NE(vb::UCase(rx.substr(report)).find("NO CARRIER"), std::string::npos);
  std::string buffer = rx.substr(report);
  EXPECT_EQ(lnk::NextIntToken(buffer), "12");
  for (const char* expected : {"2", "21", "14", "30"}) EXPECT_EQ(lnk::NextIntToken(buffer), expected);
  EXPECT_EQ(buffer.substr(buffer.find_first_of("01"), 16), "0100000100000000");
}

TEST_F(SimModem, UnansweredCallRingsUntilTheCallerGivesUp) {
  Modem();
  ASSERT_TRUE(probe.site.StartAlarmCall());
  probe.Run(120'000);
  std::string rx = probe.Take();
  int rings = 0;
  for (std::size_t at = rx.find("RING"); at != std::string::npos; at = rx.find("RING", at + 1)) ++rings;
  EXPECT_EQ(rings, 10);
  EXPECT_EQ(rx.find("CONNECT"), std::string::npos);
  EXPECT_FALSE(Modem().Ringing());

  // Answered by hand while ringing.
  ASSERT_TRUE(probe.site.StartAlarmCall());
  probe.Run(1000);
  TypeLine("ATA\r");
  probe.Run(9000);
  EXPECT_NE(probe.Take().find("Alarm Report"), std::string::npos);
}

TEST_F(SimModem, CallInFindsTheModemBusyDuringASession) {
  Connect();
  EXPECT_FALSE(probe.site.StartAlarmCall());
}

TEST(SimDirectCable, AlarmReportGoesStraightDownTheCable) {
  SiteProbe probe(sim::UnitConfig{.address = 40000});
  ASSERT_TRUE(probe.site.StartAlarmCall());
  probe.Run(500);
  std::string rx = probe.Take();
  ASSERT_EQ(rx.find("Alarm Report"), 0u);
  EXPECT_EQ(lnk::NextIntToken(rx), "40000");
}

}  // namespace
