// The V4 packet link: addressed binary packets closed by a CRC-32/JAMCRC
// (reflected 0xEDB88320, preset all ones, no final XOR), sent as groups of
// eight characters with the high bit set (a header carrying bit 0 of the
// group's seven bytes, then bits 7..1 of each byte), and closed by a single
// carriage return, the only character below 0x80 on the wire.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lnk {

// Room of the decoded-packet buffer: 50 groups of 7 bytes.
inline constexpr std::size_t kPacketBufSize = 350;

// Receives the characters of a packet as they go out: each full group of 8,
// then the closing carriage return.
using ByteSink = std::function<void(std::string_view)>;

// Logical shifts of a 32-bit register (zero-filling, also with the top bit set).
constexpr void ShiftRight1(std::uint32_t& v) { v >>= 1; }
constexpr void ShiftRight8(std::uint32_t& v) { v >>= 8; }

using Crc32TableType = std::array<std::uint32_t, 256>;

// Entry i is i shifted right 8 times, XORed with 0xEDB88320 whenever the bit
// shifted out was 1.
constexpr Crc32TableType BuildCrc32Table() {
  Crc32TableType table{};
  for (std::uint32_t i = 0; i < table.size(); ++i) {
    std::uint32_t entry = i;
    for (int bit = 0; bit < 8; ++bit) {
      const bool low_bit = (entry & 1U) != 0;
      ShiftRight1(entry);
      if (low_bit) entry ^= 0xEDB88320U;
    }
    table[i] = entry;
  }
  return table;
}

// Built at compile time, so there is no "built yet" state to keep.
inline constexpr Crc32TableType Crc32Table = BuildCrc32Table();

inline constexpr std::uint32_t kCrc32Preset = 0xFFFFFFFFU;

// Feeds one byte into a CRC-32 register.
constexpr void Crc32Update(std::uint32_t& crc, std::uint8_t b) {
  const std::uint32_t index = (crc ^ b) & 0xFFU;
  ShiftRight8(crc);
  crc ^= Crc32Table[index];
}

// Seven flag characters: character k+1 is "\1" when bit k of header is set,
// else "\0".
std::string LowBitsToChars(std::uint8_t header);

// Builds one packet and hands its groups to the sink as they fill.
class V4PacketWriter {
 public:
  explicit V4PacketWriter(ByteSink sink);

  // Starts a packet: presets the CRC and puts the address, high byte first.
  void PacketBegin(std::uint16_t address);
  // Adds one byte to the CRC and the group; a full group goes out at once.
  void PacketPutByte(std::uint8_t b);
  // Pads with zero bytes until address, payload and padding count 3 modulo 7,
  // appends the CRC least significant byte first, and sends the closing
  // carriage return.
  void PacketEnd();

 private:
  ByteSink sink_;
  std::uint32_t Crc32 = kCrc32Preset;
  int V4GroupCount = 0;
  std::uint8_t V4GroupHeader = 0;
  std::string V4GroupChars;
};

// Encodes and sends a whole packet. The caller resets its receive state for
// the reply first, as for any new command.
void SendV4Packet(const ByteSink& sink, std::uint16_t address, std::string_view payload);

// Decodes the packet at the front of rx into packet_buf: kPacketBufSize
// characters of code 0, decoded bytes from the first position on (CRC bytes
// included). True when a group ends in a carriage return with the CRC
// register at 0. A reply that does not end within kPacketBufSize bytes is
// refused (false) and nothing is written past the buffer; after a refusal
// packet_buf holds what was decoded so far.
bool DecodeV4Packet(std::string_view rx, std::string& packet_buf);

// What the packets of a reply are to the request in flight.
enum class V4ReplyMatch {
  kAnswer,        // one of them answers it
  kOtherAnswers,  // all are good, and all answer other requests (sent before)
  kNoAnswer,      // nothing came, or a packet was spoilt or cut short
};

// Decodes the packets of rx one after the other (each closed by its carriage
// return) and gives `answers` the content of each good one (its decoded
// bytes, CRC included, as many as its groups hold); packet_buf is left
// holding the first it accepts, as DecodeV4Packet leaves it.
V4ReplyMatch FindV4Answer(std::string_view rx,
                          const std::function<bool(std::string_view content)>& answers,
                          std::string& packet_buf);

// Whether decoded content (a packet as DecodeV4Packet leaves it, kept in a
// file) holds a whole good packet of at least `least` bytes: a group of seven
// ends there or further on where the CRC-32 register, fed every byte from
// the first, comes to 0, as it does after a packet's own CRC.
bool HoldsGoodPacket(std::string_view content, std::size_t least);

}  // namespace lnk
