// V4 frames as a unit sees them. Content bytes are padded with zero bytes
// until their count is 3 modulo 7, closed by a CRC-32/JAMCRC (reflected
// 0xEDB88320, preset all ones, no final XOR) least significant byte first,
// and sent as groups of eight characters with the high bit set (a header
// carrying bit 0 of the group's seven bytes, then bits 7..1 of each byte),
// followed by one carriage return. Written from the unit's side, bit by bit,
// independently of the console's table-driven codec.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

// A frame holds at most 50 groups: the console's decode buffer is 350 bytes.
inline constexpr std::size_t kMaxFrameGroups = 50;
inline constexpr std::size_t kGroupChars = 8;

std::uint32_t Crc32Jamcrc(std::string_view bytes, std::uint32_t reg = 0xFFFFFFFFU);

// Zero bytes that bring a content of `length` bytes to 3 modulo 7.
std::size_t FramePadding(std::size_t length);

// The content as a frame carries it: padded, then its CRC least significant
// byte first. With spoil_crc the CRC's low bit is flipped.
std::string FramedContent(std::string_view content, bool spoil_crc = false);

// The wire characters of a frame (groups and the closing carriage return).
// With spoil_crc the CRC's low bit is flipped, so no decoder accepts it.
std::string EncodeV4Frame(std::string_view content, bool spoil_crc = false);

// Decodes the group characters of one frame (without its carriage return)
// and checks the CRC. Gives the content with its padding and without the
// CRC, or nothing (and why) for a frame that is not whole groups or whose
// CRC does not match.
std::optional<std::string> DecodeV4Frame(std::string_view group_chars, std::string* why);

}  // namespace sim
