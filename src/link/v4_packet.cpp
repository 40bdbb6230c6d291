#include "link/v4_packet.h"

#include <utility>

namespace lnk {
namespace {

constexpr int kGroupBytes = 7;
constexpr std::size_t kGroupChars = kGroupBytes + 1;
constexpr char kCarriageReturn = '\r';
constexpr std::uint8_t kHighBit = 0x80;
// Address, payload and padding count this much modulo 7, so that the four
// CRC bytes complete the last group.
constexpr int kCountBeforeCrc = 3;

char WireChar(unsigned bits) { return static_cast<char>(kHighBit | bits); }

}  // namespace

std::string LowBitsToChars(std::uint8_t header) {
  std::string flags(kGroupBytes, '\0');
  for (int k = 0; k < kGroupBytes; ++k) {
    flags[static_cast<std::size_t>(k)] = static_cast<char>((header >> k) & 1U);
  }
  return flags;
}

V4PacketWriter::V4PacketWriter(ByteSink sink) : sink_(std::move(sink)) {
  V4GroupChars.reserve(kGroupChars);
}

void V4PacketWriter::PacketBegin(std::uint16_t address) {
  Crc32 = kCrc32Preset;
  V4GroupCount = 0;
  V4GroupHeader = 0;
  V4GroupChars.clear();
  PacketPutByte(static_cast<std::uint8_t>(address >> 8));
  PacketPutByte(static_cast<std::uint8_t>(address & 0xFFU));
}

void V4PacketWriter::PacketPutByte(std::uint8_t b) {
  Crc32Update(Crc32, b);
  // The header collects bit 0 of each byte; after seven bytes the first one's
  // bit has moved down to bit 0 and older bits are gone.
  V4GroupHeader = static_cast<std::uint8_t>((V4GroupHeader >> 1) | ((b & 1U) << 6));
  V4GroupChars += WireChar(b >> 1);
  if (++V4GroupCount < kGroupBytes) return;

  V4GroupChars.insert(V4GroupChars.begin(), WireChar(V4GroupHeader));
  sink_(V4GroupChars);
  V4GroupCount = 0;
  V4GroupChars.clear();
}

void V4PacketWriter::PacketEnd() {
  while (V4GroupCount != kCountBeforeCrc) PacketPutByte(0);
  std::uint32_t crc = Crc32;
  for (int i = 0; i < 4; ++i) {
    PacketPutByte(static_cast<std::uint8_t>(crc & 0xFFU));
    ShiftRight8(crc);
  }
  sink_(std::string_view(&kCarriageReturn, 1));
}

void SendV4Packet(const ByteSink& sink, std::uint16_t address, std::string_view payload) {
  V4PacketWriter writer(sink);
  writer.PacketBegin(address);
  for (const char c : payload) writer.PacketPutByte(static_cast<std::uint8_t>(c));
  writer.PacketEnd();
}

bool DecodeV4Packet(std::string_view rx, std::string& packet_buf) {
  packet_buf.assign(kPacketBufSize, '\0');
  std::uint32_t crc = kCrc32Preset;
  std::size_t out = 0;  // 0-based position in packet_buf
  std::size_t in = 0;   // 0-based position of the group's header in rx

  // A group needs its header, seven data characters and one more character
  // (the carriage return, or the next group's header) after it.
  while (in + kGroupChars < rx.size()) {
    if (out + kGroupBytes > kPacketBufSize) return false;  // no room left: refuse
    const std::string flags = LowBitsToChars(static_cast<std::uint8_t>(rx[in]));
    packet_buf.replace(out, kGroupBytes, flags);
    ++in;
    for (std::size_t k = 0; k < kGroupBytes; ++k) {
      const auto data = static_cast<std::uint8_t>(rx[in + k]) & 0x7FU;
      const auto byte = static_cast<std::uint8_t>((data << 1) | static_cast<unsigned>(packet_buf[out + k]));
      packet_buf[out + k] = static_cast<char>(byte);
      Crc32Update(crc, byte);
    }
    // The CRC bytes fed in after the content leave the register at 0
    // exactly when they match.
    if (rx[in + kGroupBytes] == kCarriageReturn && crc == 0) return true;
    in += kGroupBytes;
    out += kGroupBytes;
  }
  return false;
}

V4ReplyMatch FindV4Answer(std::string_view rx,
                          const std::function<bool(std::string_view content)>& answers,
                          std::string& packet_buf) {
  bool others = false;
  std::string decoded;
  std::size_t start = 0;
  while (start < rx.size()) {
    std::size_t end = rx.find(kCarriageReturn, start);
    if (end == std::string_view::npos) return V4ReplyMatch::kNoAnswer;  // cut short
    const std::size_t chars = end - start;
    if (chars > 0) {
      if (!DecodeV4Packet(rx.substr(start, chars + 1), decoded)) return V4ReplyMatch::kNoAnswer;
      const std::size_t bytes = chars / kGroupChars * static_cast<std::size_t>(kGroupBytes);
      if (answers(std::string_view(decoded).substr(0, bytes))) {
        packet_buf = std::move(decoded);
        return V4ReplyMatch::kAnswer;
      }
      others = true;
    }
    start = end + 1;
  }
  return others ? V4ReplyMatch::kOtherAnswers : V4ReplyMatch::kNoAnswer;
}

bool HoldsGoodPacket(std::string_view content, std::size_t least) {
  std::uint32_t crc = kCrc32Preset;
  for (std::size_t i = 0; i < content.size(); ++i) {
    Crc32Update(crc, static_cast<std::uint8_t>(content[i]));
    const std::size_t end = i + 1;
    if (end % static_cast<std::size_t>(kGroupBytes) == 0 && end >= least && crc == 0) return true;
  }
  return false;
}

}  // namespace lnk
