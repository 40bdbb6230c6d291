// The simulated V4 unit, spoken to with the console's own packet encoder
// and heard through its own decoder: the dump packet, parameter writes,
// clock, reset and initialisation, addressing, and the frames it refuses.
#include <gtest/gtest.h>

#include <string>

#include "link/command_table.h"
#include "link/v4_packet.h"
#include "site_probe.h"

namespace {

using testkit::SiteProbe;

sim::UnitConfig V4Unit(std::uint16_t address = 7, std::int32_t firmware = 40200) {
  return sim::UnitConfig{.dialect = sim::Dialect::kV4, .firmware = firmware, .address = address};
}

std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }

// Sends a packet and decodes the single reply; "" when nothing came back,
// "bad" when the console's decoder refuses it.
std::string Exchange(SiteProbe& probe, std::uint16_t address, const std::string& payload) {
  probe.SendV4(address, payload);
  probe.Run(1500);
  const std::string reply = probe.Take();
  if (reply.empty()) return "";
  std::string packet_buf;
  if (!lnk::DecodeV4Packet(reply, packet_buf)) return "bad";
  return packet_buf;
}

std::string Payload(const std::string& packet_buf, std::size_t length) {
  return packet_buf.substr(0, length);
}

TEST(SimV4Packets, DumpPacketCarriesTheWholeImageAfterItsLength) {
  SiteProbe probe(V4Unit(7, 40100));
  probe.Unit().SetMemory(13, 91);
  const std::string buf = Exchange(probe, 7, "D");
  ASSERT_EQ(buf.size(), lnk::kPacketBufSize);
  const int length = static_cast<unsigned char>(buf[0]) * 256 + static_cast<unsigned char>(buf[1]);
  EXPECT_EQ(length, 275);
  for (int a = 0; a < 275; ++a)
    ASSERT_EQ(static_cast<unsigned char>(buf[static_cast<std::size_t>(a) + 2]), probe.Unit().Memory(a))
        << "address " << a;
  // The address copies at 268..273 hold 7 three times.
  EXPECT_EQ(buf.substr(2 + 268, 6), Byte(0) + Byte(7) + Byte(0) + Byte(7) + Byte(0) + Byte(7));
}

TEST(SimV4Packets, BadCrcFaultMakesTheConsoleRefuseTheDumpOnce) {
  SiteProbe probe(V4Unit());
  probe.Unit().Faults().bad_crc_replies = 1;
  EXPECT_EQ(Exchange(probe, 7, "D"), "bad");
  EXPECT_EQ(Exchange(probe, 7, "D").size(), lnk::kPacketBufSize);
}

TEST(SimV4Packets, DroppedAndSlowRepliesAsPlanned) {
  SiteProbe probe(V4Unit());
  probe.Unit().Faults().dropped_replies = 1;
  probe.Unit().Faults().slow_replies = 1;
  probe.Unit().Faults().slow_reply_ms = 3000;
  EXPECT_EQ(Exchange(probe, 7, "D"), "") << "dropped";
  EXPECT_EQ(Exchange(probe, 7, "D"), "") << "still on its way after 1.5 s";
  probe.Run(3000);
  std::string buf;
  EXPECT_TRUE(lnk::DecodeV4Packet(probe.Take(), buf));
  EXPECT_NE(Exchange(probe, 7, "D"), "");
}

TEST(SimV4Packets, UnitAnswersItsOwnAddressAndTheBroadcastAddressOnly) {
  SiteProbe probe(V4Unit(300));
  EXPECT_EQ(Exchange(probe, 301, "D"), "");
  EXPECT_EQ(Exchange(probe, 0, "D"), "");
  EXPECT_NE(Exchange(probe, 300, "D"), "");
  EXPECT_NE(Exchange(probe, 65535, "D"), "");
  EXPECT_EQ(probe.Unit().Rejections().size(), 2u);
}

TEST(SimV4Packets, WritePacketStoresItsBytesAndIsAcknowledged) {
  SiteProbe probe(V4Unit());
  const std::string ack = Exchange(probe, 7, "S" + Byte(1) + Byte(0) + Byte(13) + Byte(90));
  ASSERT_NE(ack, "");
  ASSERT_NE(ack, "bad");
  EXPECT_EQ(Payload(ack, 4), "S" + Byte(1) + Byte(0) + Byte(13));
  EXPECT_EQ(probe.Unit().Memory(13), 90);

  // A run of four, as a bulk upload sends them.
  Exchange(probe, 7, "S" + Byte(4) + Byte(0) + Byte(227) + "ABCD");
  EXPECT_EQ(probe.Unit().Memory(227), 'A');
  EXPECT_EQ(probe.Unit().Memory(230), 'D');
}

TEST(SimV4Packets, NewAddressWrittenThreeTimesTakesEffectAtOnce) {
  SiteProbe probe(V4Unit(7));
  const std::string six = Byte(0x12) + Byte(0x34) + Byte(0x12) + Byte(0x34) + Byte(0x12) + Byte(0x34);
  EXPECT_NE(Exchange(probe, 7, "S" + Byte(6) + Byte(1) + Byte(12) + six), "");
  EXPECT_EQ(probe.Unit().Address(), 0x1234);
  EXPECT_EQ(Exchange(probe, 7, "D"), "");
  EXPECT_NE(Exchange(probe, 0x1234, "D"), "");

  // One copy alone changes nothing.
  Exchange(probe, 0x1234, "S" + Byte(2) + Byte(1) + Byte(12) + Byte(0) + Byte(9));
  EXPECT_EQ(probe.Unit().Address(), 0x1234);
}

TEST(SimV4Packets, WriteOutOfMemoryOrWithAZeroCountIsRefused) {
  SiteProbe probe(V4Unit());
  EXPECT_EQ(Exchange(probe, 7, "S" + Byte(2) + Byte(1) + Byte(44) + "xy"), "");  // 300..301
  EXPECT_EQ(Exchange(probe, 7, "S" + Byte(0) + Byte(0) + Byte(13)), "");
  EXPECT_EQ(probe.Unit().Memory(300), 0);
  EXPECT_EQ(probe.Unit().Rejections().size(), 2u);
}

TEST(SimV4Packets, ClockPacketSetsEveryFieldAndSundayIsSevenOrZero) {
  SiteProbe probe(V4Unit());
  // As the console sends it from the computer's clock: Sunday is 7.
  const std::string ack = Exchange(probe, 7, "T" + Byte(27) + Byte(12) + Byte(31) + Byte(7) + Byte(23) +
                                                 Byte(59) + Byte(58));
  EXPECT_EQ(Payload(ack, 1), "T");
  sim::ClockReading now = probe.Unit().Clock().Now();
  EXPECT_EQ(now.year, 2027);
  EXPECT_EQ(now.month, 12);
  EXPECT_EQ(now.day, 31);
  EXPECT_EQ(now.weekday, 0);
  EXPECT_EQ(now.hour, 23);
  EXPECT_EQ(now.minute, 59);
  probe.Run(10'000);  // past midnight: the new year, and the weekday steps on
  now = probe.Unit().Clock().Now();
  EXPECT_EQ(now.year, 2028);
  EXPECT_EQ(now.weekday, 1);

  EXPECT_EQ(Exchange(probe, 7, "T" + Byte(27) + Byte(13) + Byte(1) + Byte(1) + Byte(0) + Byte(0) + Byte(0)), "");
}

TEST(SimV4Packets, ResetAndInitAreAcknowledgedAndDoTheirWork) {
  SiteProbe probe(V4Unit(7));
  EXPECT_NE(probe.Unit().Memory(101), 0);
  EXPECT_EQ(Payload(Exchange(probe, 7, "Reset"), 5), "Reset");
  EXPECT_EQ(probe.Unit().Memory(101), 0) << "battery-memory records cleared";
  EXPECT_EQ(probe.Unit().Status().ah_in, 0);

  const int factory13 = probe.Unit().Memory(13);
  probe.Unit().SetMemory(13, factory13 + 1);
  probe.Unit().SetMemory(0, 5);
  EXPECT_EQ(Payload(Exchange(probe, 7, "Init"), 4), "Init");
  EXPECT_EQ(probe.Unit().Memory(13), factory13);
  EXPECT_EQ(probe.Unit().Memory(0), 5) << "the serial number survives";
  EXPECT_EQ(probe.Unit().Address(), 7);
  EXPECT_EQ(probe.Unit().FirmwareVersion(), 40200);
}

TEST(SimV4Packets, FramesThatAreNotExactlyWhatTheConsoleSendsAreIgnored) {
  SiteProbe probe(V4Unit());
  // Padding that does not fit the payload: "D" plus a zero byte more.
  std::string wire;
  lnk::SendV4Packet([&wire](std::string_view b) { wire.append(b); }, 7, std::string("D\0\0\0\0\0\0\0", 8));
  probe.Send(wire);
  probe.Run(500);
  // A frame with one bit of a data character flipped.
  wire.clear();
  lnk::SendV4Packet([&wire](std::string_view b) { wire.append(b); }, 7, "D");
  wire[3] = static_cast<char>(wire[3] ^ 0x01);
  probe.Send(wire);
  probe.Run(500);
  // A payload the unit does not know, and a frame cut short by a text byte.
  probe.SendV4(7, "X");
  probe.Send(wire.substr(0, 5) + "U");
  probe.Run(1500);
  EXPECT_TRUE(probe.Unit().Commands().size() == 1 && probe.Unit().Commands()[0] == "U");
  EXPECT_EQ(probe.Unit().Rejections().size(), 4u);
  // Lone carriage returns, which the console sends before packets, are nothing.
  probe.Take();
  probe.Send("\r\r");
  probe.Run(500);
  EXPECT_EQ(probe.Take(), "");
  EXPECT_EQ(probe.Unit().Rejections().size(), 4u);
}

TEST(SimV4Packets, TextUnitIgnoresPackets) {
  SiteProbe probe(sim::UnitConfig{.dialect = sim::Dialect::kText, .address = 7});
  EXPECT_EQ(Exchange(probe, 7, "D"), "");
  ASSERT_EQ(probe.Unit().Rejections().size(), 1u);
}

TEST(SimV4Packets, V4UnitAnswersTheTextDumpCommandWithAPacket) {
  SiteProbe probe(V4Unit(7, 40100));
  probe.TypeDump();
  probe.Run(1500);
  const std::string reply = probe.Take();
  ASSERT_FALSE(reply.empty());
  EXPECT_GT(static_cast<unsigned char>(reply[0]), 127) << "the console switches to V4 on this";
  std::string buf;
  EXPECT_TRUE(lnk::DecodeV4Packet(reply, buf));
}

}  // namespace
