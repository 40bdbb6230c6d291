// V4 packets: CRC-32, the writer's framing and padding, and the decoder.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "link/v4_packet.h"
#include "crc32_of.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Sends a packet and returns what reached the sink, and in how many pieces.
struct SentPacket {
  std::string wire;
  std::vector<std::string> pieces;
};

SentPacket Send(std::uint16_t address, std::string_view payload) {
  SentPacket sent;
  lnk::SendV4Packet(
      [&](std::string_view piece) {
        sent.wire += piece;
        sent.pieces.emplace_back(piece);
      },
      address, payload);
  return sent;
}

using testkit::Crc32Of;

const std::string kExampleFrame = "\x8A\x80\x80\xA2\x92\xC9\x8A\xB4\r";

TEST(Crc32, IsTheJamcrcForm) {
  EXPECT_EQ(Crc32Of("123456789"), 0x340BC6D9U);
}

TEST(SendV4Packet, EncodesTheExampleAsOneGroupAndACarriageReturn) {
  const SentPacket sent = Send(1, "D");
  EXPECT_EQ(sent.wire, kExampleFrame);
  ASSERT_EQ(sent.pieces.size(), 2U);
  EXPECT_EQ(sent.pieces[0].size(), 8U);
  EXPECT_EQ(sent.pieces[1], "\r");
}

TEST(SendV4Packet, PadsAddressAndPayloadToThreeModuloSeven) {
  // content = 2 address bytes + payload + padding + 4 CRC bytes
  const struct {
    std::size_t payload;
    std::size_t padding;
  } cases[] = {{0, 1}, {1, 0}, {5, 3}, {7, 1}, {8, 0}};
  for (const auto& c : cases) {
    const std::string payload(c.payload, '\x11');
    const SentPacket sent = Send(0x0102, payload);
    const std::size_t content = 2 + c.payload + c.padding + 4;
    ASSERT_EQ(content % 7, 0U);
    EXPECT_EQ(sent.wire.size(), content / 7 * 8 + 1) << c.payload << " payload bytes";

    std::string buf;
    ASSERT_TRUE(lnk::DecodeV4Packet(sent.wire, buf));
    const std::size_t pad_start = 2 + c.payload;
    EXPECT_EQ(buf.substr(pad_start, c.padding), std::string(c.padding, '\0'));
    // The padding is covered by the CRC that follows it.
    EXPECT_EQ(Crc32Of(buf.substr(0, content)), 0U);
  }
}

TEST(SendV4Packet, AddressGoesFirstHighByteFirst) {
  std::string buf;
  ASSERT_TRUE(lnk::DecodeV4Packet(Send(65535, "D").wire, buf));
  EXPECT_EQ(ToBytes(buf.substr(0, 3)), (Bytes{0xFF, 0xFF, 0x44}));
  ASSERT_TRUE(lnk::DecodeV4Packet(Send(0x1234, "").wire, buf));
  EXPECT_EQ(ToBytes(buf.substr(0, 2)), (Bytes{0x12, 0x34}));
}

TEST(DecodeV4Packet, DecodesTheExampleIntoAZeroFilledBuffer) {
  std::string buf = "stale";
  ASSERT_TRUE(lnk::DecodeV4Packet(kExampleFrame, buf));
  ASSERT_EQ(buf.size(), lnk::kPacketBufSize);
  EXPECT_EQ(ToBytes(buf.substr(0, 7)), (Bytes{0x00, 0x01, 0x44, 0x25, 0x92, 0x14, 0x68}));
  EXPECT_EQ(buf.substr(7), std::string(lnk::kPacketBufSize - 7, '\0'));
}

TEST(DecodeV4Packet, AnyFlippedLowBitFailsTheCrc) {
  for (std::size_t pos = 0; pos < 8; ++pos) {
    for (int bit = 0; bit < 7; ++bit) {
      std::string frame = kExampleFrame;
      frame[pos] = static_cast<char>(frame[pos] ^ (1 << bit));
      std::string buf;
      EXPECT_FALSE(lnk::DecodeV4Packet(frame, buf)) << "char " << pos << " bit " << bit;
      EXPECT_EQ(buf.size(), lnk::kPacketBufSize);
    }
  }
}

TEST(DecodeV4Packet, IgnoresTheHighBitsAndWhatFollowsTheCarriageReturn) {
  std::string frame = kExampleFrame;
  frame[0] = static_cast<char>(frame[0] & 0x7F);
  frame[3] = static_cast<char>(frame[3] & 0x7F);
  std::string buf;
  EXPECT_TRUE(lnk::DecodeV4Packet(frame + "junk\r", buf));
}

TEST(DecodeV4Packet, IncompleteRepliesFail) {
  std::string buf;
  EXPECT_FALSE(lnk::DecodeV4Packet("", buf));
  EXPECT_FALSE(lnk::DecodeV4Packet(kExampleFrame.substr(0, 8), buf));  // no CR
  EXPECT_FALSE(lnk::DecodeV4Packet(kExampleFrame.substr(1), buf));     // short by one
  std::string late_cr = kExampleFrame;
  late_cr.insert(8, "\x80");
  EXPECT_FALSE(lnk::DecodeV4Packet(late_cr, buf));
  // A CR before the CRC is complete does not end the scan; here it replaced
  // the second group's header, so that group decodes wrong and fails.
  const std::string two = Send(7, std::string(8, 'x')).wire;
  ASSERT_EQ(two.size(), 17U);
  std::string cut = two;
  cut[8] = '\r';
  EXPECT_FALSE(lnk::DecodeV4Packet(cut, buf));
}

TEST(DecodeV4Packet, AcceptsAFullBufferAndRefusesALongerReply) {
  // 2 + 344 = 346 = 3 mod 7: no padding, 350 bytes in all.
  const std::string full_payload(344, '\xA5');
  std::string buf;
  ASSERT_TRUE(lnk::DecodeV4Packet(Send(275, full_payload).wire, buf));
  EXPECT_EQ(buf.size(), lnk::kPacketBufSize);
  EXPECT_EQ(buf.substr(2, 344), full_payload);
  EXPECT_EQ(Crc32Of(buf), 0U);

  // One byte more needs a 51st group: refused, and the buffer keeps its size.
  const SentPacket longer = Send(275, full_payload + "\xA5");
  ASSERT_EQ(longer.wire.size(), 51U * 8 + 1);
  EXPECT_FALSE(lnk::DecodeV4Packet(longer.wire, buf));
  EXPECT_EQ(buf.size(), lnk::kPacketBufSize);
}

// Decoded content kept as it is (a saved packet and the zeros after it)
// holds a good packet where a group ends, no shorter than asked, with the
// CRC register at 0; the zeros after the CRC keep it there.
TEST(HoldsGoodPacket, FindsTheCrcClosedGroupEndNoShorterThanAsked) {
  std::string decoded;
  ASSERT_TRUE(lnk::DecodeV4Packet(Send(0x0102, std::string(9, 'x')).wire, decoded));
  std::string flipped = decoded;
  flipped[4] = static_cast<char>(flipped[4] ^ 0x01);
  const struct {
    const char* name;
    std::string content;
    std::size_t least;
    bool good;
  } cases[] = {
      {"the packet alone", decoded.substr(0, 21), 0, true},
      {"asked its whole length", decoded.substr(0, 21), 21, true},
      {"zeros up to the buffer's end", decoded, 300, true},
      {"asked beyond the content", decoded.substr(0, 21), 22, false},
      {"the CRC's last byte cut off", decoded.substr(0, 20), 0, false},
      {"a bit changed", flipped, 0, false},
      {"nothing", "", 0, false},
  };
  for (const auto& c : cases) EXPECT_EQ(lnk::HoldsGoodPacket(c.content, c.least), c.good) << c.name;
}

TEST(V4Packet, RandomPayloadsSurviveTheRoundTrip) {
  std::mt19937 rng(47000);
  for (int n = 0; n < 300; ++n) {
    const auto address = static_cast<std::uint16_t>(rng());
    std::string payload(rng() % 345, '\0');
    for (char& c : payload) c = static_cast<char>(rng());
    const SentPacket sent = Send(address, payload);

    for (std::size_t i = 0; i + 1 < sent.wire.size(); ++i) {
      ASSERT_GE(static_cast<std::uint8_t>(sent.wire[i]), 0x80) << "wire char " << i;
    }
    ASSERT_EQ(sent.wire.back(), '\r');
    for (std::size_t i = 0; i + 1 < sent.pieces.size(); ++i) ASSERT_EQ(sent.pieces[i].size(), 8U);

    std::string buf;
    ASSERT_TRUE(lnk::DecodeV4Packet(sent.wire, buf)) << payload.size() << " payload bytes";
    EXPECT_EQ(static_cast<std::uint8_t>(buf[0]), address >> 8);
    EXPECT_EQ(static_cast<std::uint8_t>(buf[1]), address & 0xFF);
    EXPECT_EQ(buf.substr(2, payload.size()), payload);
    const std::size_t content = (sent.wire.size() - 1) / 8 * 7;
    EXPECT_EQ(buf.substr(content), std::string(lnk::kPacketBufSize - content, '\0'));
  }
}

TEST(V4PacketWriter, BeginStartsAFreshPacketAfterAnAbandonedOne) {
  std::string wire;
  lnk::V4PacketWriter writer([&](std::string_view piece) { wire += piece; });
  writer.PacketBegin(9);
  writer.PacketPutByte(1);  // abandoned half-way through its first group
  writer.PacketBegin(1);
  writer.PacketPutByte('D');
  writer.PacketEnd();
  EXPECT_EQ(wire, kExampleFrame);
}

// The packets of a reply are read one after the other, and the one that
// answers the request in flight is taken, wherever it stands; good packets
// that answer something else are told apart from a spoilt or missing answer.
TEST(FindV4Answer, TakesThePacketThatAnswersAndTellsWhatElseCame) {
  const std::string ours_content("S\x04\x00\x0C", 4);
  const std::string early = Send(1, std::string("S\x04\x00\x08", 4)).wire;  // an earlier write's
  const std::string ours = Send(1, ours_content).wire;
  std::string spoilt = ours;
  spoilt[3] = static_cast<char>(spoilt[3] ^ 0x01);
  const auto answers_ours = [&ours_content](std::string_view content) {
    return content.substr(2, 4) == ours_content;
  };
  const struct {
    const char* what;
    std::string rx;
    lnk::V4ReplyMatch match;
  } cases[] = {
      {"ours alone", ours, lnk::V4ReplyMatch::kAnswer},
      {"an earlier answer, then ours", early + ours, lnk::V4ReplyMatch::kAnswer},
      {"ours, then an earlier answer", ours + early, lnk::V4ReplyMatch::kAnswer},
      {"an empty line, then ours", "\r" + ours, lnk::V4ReplyMatch::kAnswer},
      {"an earlier answer alone", early, lnk::V4ReplyMatch::kOtherAnswers},
      {"two earlier answers", early + early, lnk::V4ReplyMatch::kOtherAnswers},
      {"nothing", "", lnk::V4ReplyMatch::kNoAnswer},
      {"ours spoilt", spoilt, lnk::V4ReplyMatch::kNoAnswer},
      {"an earlier answer, then ours spoilt", early + spoilt, lnk::V4ReplyMatch::kNoAnswer},
      {"ours cut short", ours.substr(0, ours.size() - 1), lnk::V4ReplyMatch::kNoAnswer},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    std::string buf = "untouched";
    EXPECT_EQ(lnk::FindV4Answer(t.rx, answers_ours, buf), t.match);
    if (t.match == lnk::V4ReplyMatch::kAnswer)
      EXPECT_EQ(buf.substr(2, 4), ours_content);
    else
      EXPECT_EQ(buf, "untouched");
  }
}

}  // namespace
