// The status block of a V4 dump packet rebuilt as "U " and "V " lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "link/reply_tokens.h"
#include "link/v4_packet.h"
#include "link/v4_status_packet.h"

namespace {

constexpr long kParamBytes = 275;
constexpr long kStatus = kParamBytes + 3;  // 278
constexpr std::int32_t kOtherFirmware = 32116;

// A decoded dump packet with 275 parameter bytes and a blank status block.
std::string DumpPacket() {
  std::string buf(lnk::kPacketBufSize, '\0');
  buf[0] = static_cast<char>(kParamBytes >> 8);
  buf[1] = static_cast<char>(kParamBytes & 0xFF);
  return buf;
}

void Put(std::string& buf, long pos, std::initializer_list<int> bytes) {
  for (const int b : bytes) buf.at(static_cast<std::size_t>(pos++ - 1)) = static_cast<char>(b);
}

TEST(PacketFieldText, BytesHaveAtLeastTwoDigits) {
  std::string buf = DumpPacket();
  Put(buf, kStatus, {6, 123, 0});
  EXPECT_EQ(lnk::PacketByteText(buf, kStatus), " 06");
  EXPECT_EQ(lnk::PacketByteText(buf, kStatus + 1), " 123");
  EXPECT_EQ(lnk::PacketByteText(buf, kStatus + 2), " 00");
}

TEST(PacketFieldText, SignedAndUnsignedNumbersAreBigEndian) {
  std::string buf(16, '\0');
  Put(buf, 1, {0xFF, 0xFF});
  EXPECT_EQ(lnk::PacketInt16Text(buf, 1), " -1");
  Put(buf, 1, {0x05, 0x2C});
  EXPECT_EQ(lnk::PacketInt16Text(buf, 1), "  1324");
  Put(buf, 1, {0x80, 0x00});
  EXPECT_EQ(lnk::PacketInt16Text(buf, 1), " -32768");

  Put(buf, 1, {0xFF, 0xFF, 0xFE});
  EXPECT_EQ(lnk::PacketInt24Text(buf, 1), " -2");
  Put(buf, 1, {0x80, 0x00, 0x00});
  EXPECT_EQ(lnk::PacketInt24Text(buf, 1), " -8388608");

  Put(buf, 1, {0x00, 0x00, 0x01, 0x00, 0x00});
  EXPECT_EQ(lnk::PacketU40Text(buf, 1), "  65536");
  Put(buf, 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(lnk::PacketU40Text(buf, 1), "  1099511627775");
}

TEST(PacketFieldText, AFieldPastTheEndGivesNoText) {
  const std::string buf(5, '\x01');
  EXPECT_EQ(lnk::PacketByteText(buf, 5), " 01");
  EXPECT_EQ(lnk::PacketByteText(buf, 6), "");
  EXPECT_EQ(lnk::PacketInt16Text(buf, 5), "");
  EXPECT_EQ(lnk::PacketInt24Text(buf, 4), "");
  EXPECT_EQ(lnk::PacketU40Text(buf, 1), "  4311810305");
  EXPECT_EQ(lnk::PacketU40Text(buf, 2), "");
  EXPECT_EQ(lnk::PacketByteText(buf, 0), "");
  EXPECT_EQ(lnk::PacketByteText("", 1), "");
}

// Status block shared by both layouts: date 06-05-12, unshown byte 7, time
// 13:04:09, weekday 3, battery 13.24 V.
std::string PacketWithClockAndBattery() {
  std::string buf = DumpPacket();
  Put(buf, kStatus, {6, 5, 12, 3, 13, 4, 9, 0x77, 0x05, 0x2C});
  return buf;
}

TEST(BuildV4StatusULine, OtherFirmwareLayout) {
  std::string buf = PacketWithClockAndBattery();
  Put(buf, kStatus + 10, {0x00, 123, 0x00, 45, 0xFF, 0xFB, 0x00, 30, 248, 32, 0x11});
  EXPECT_EQ(lnk::BuildV4StatusULine(buf, kOtherFirmware),
            "U  06 05 12 119 13 04 09 03  1324  123  45 -5  30 248 32 17");

  // The text parser's reads, in its order.
  std::string rx = lnk::BuildV4StatusULine(buf, kOtherFirmware);
  for (const char* want : {"06", "05", "12", "119", "13", "04", "09", "03"}) {
    EXPECT_EQ(lnk::NextIntToken(rx), want);
  }
  EXPECT_EQ(lnk::NextHundredthsToken(rx), "13.24");
  EXPECT_EQ(lnk::NextTenthsToken(rx), "12.3");
  EXPECT_EQ(lnk::NextTenthsToken(rx), "4.5");
  for (const char* want : {"-5", "30", "248", "32", "17", "---"}) {
    EXPECT_EQ(lnk::NextIntToken(rx), want);
  }
}

TEST(BuildV4StatusULine, Firmware40100HasLongCurrentsAndTheStateOfChargeLast) {
  std::string buf = PacketWithClockAndBattery();
  Put(buf, kStatus + 10, {0x00, 0x04, 0xD2,    // PV current 12.34 A
                          0x00, 0x02, 0x37,    // load current 5.67 A
                          0x1E, 0x3C,          // state of charge 77.40 %
                          0x00, 0x19,          // battery temperature 25
                          0xFF, 0xFE,          // unit temperature -2
                          8, 0, 1});
  EXPECT_EQ(lnk::BuildV4StatusULine(buf, lnk::kSocLayoutFirmware),
            "U  06 05 12 119 13 04 09 03  1324  1234  567  25 -2 08 00 01  7740");

  // The same bytes read with the other layout give other fields: offset 16
  // is then the unit temperature.
  EXPECT_EQ(lnk::BuildV4StatusULine(buf, kOtherFirmware),
            "U  06 05 12 119 13 04 09 03  1324  4 -11776  567  7740 00 25 255");
}

TEST(BuildV4StatusVLine, FieldsFollowTheULayout) {
  for (const std::int32_t firmware : {kOtherFirmware, lnk::kSocLayoutFirmware}) {
    std::string buf = DumpPacket();
    const long q = kStatus + (firmware == lnk::kSocLayoutFirmware ? 25 : 21);
    Put(buf, q, {0xFF, 0xFF, 0x00, 0x02, 1,
                 0x00, 0x00, 0x00, 0x13, 0x88,    // net 50.00 Ah
                 0x00, 0x00, 0x01, 0x00, 0x00,    // in 655.36 Ah
                 0x00, 0x00, 0x00, 0x00, 0x07});  // out 0.07 Ah
    EXPECT_EQ(lnk::BuildV4StatusVLine(buf, firmware),
              "V  -1  2 01 0 0   5000  65536  7")
        << firmware;
  }
}

TEST(BuildV4StatusLines, AShortBufferLosesTheFieldsPastItsEnd) {
  std::string buf = PacketWithClockAndBattery();
  buf.resize(static_cast<std::size_t>(kStatus + 8));  // ends inside the battery field
  EXPECT_EQ(lnk::BuildV4StatusULine(buf, kOtherFirmware), "U  06 05 12 119 13 04 09 03");
  EXPECT_EQ(lnk::BuildV4StatusVLine(buf, kOtherFirmware), "V  0 0 ");
  EXPECT_EQ(lnk::BuildV4StatusULine("", kOtherFirmware), "U ");
}

TEST(BuildV4StatusLines, ReadTheStatusOfADecodedDumpReply) {
  // The unit's reply carries the parameter count where a request carries
  // the address.
  std::string payload(kParamBytes, '\x2A');
  payload += std::string("\x06\x05\x0C\x03\x0D\x04\x09\x00\x05\x2C", 10);
  payload.resize(344, '\0');
  std::string wire;
  lnk::SendV4Packet([&](std::string_view piece) { wire += piece; }, kParamBytes, payload);
  std::string buf;
  ASSERT_TRUE(lnk::DecodeV4Packet(wire, buf));
  EXPECT_TRUE(lnk::BuildV4StatusULine(buf, kOtherFirmware)
                  .starts_with("U  06 05 12 00 13 04 09 03  1324  0  0 "));
}

}  // namespace
