#include "v4_frame.h"

namespace sim {

std::uint32_t Crc32Jamcrc(std::string_view bytes, std::uint32_t reg) {
  for (char ch : bytes) {
    reg ^= static_cast<unsigned char>(ch);
    for (int bit = 0; bit < 8; ++bit) reg = (reg & 1U) != 0 ? (reg >> 1) ^ 0xEDB88320U : reg >> 1;
  }
  return reg;
}

std::size_t FramePadding(std::size_t length) { return (3 + 7 - length % 7) % 7; }

std::string FramedContent(std::string_view content, bool spoil_crc) {
  std::string bytes(content);
  bytes.append(FramePadding(bytes.size()), '\0');
  std::uint32_t crc = Crc32Jamcrc(bytes);
  if (spoil_crc) crc ^= 1U;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((crc >> (8 * i)) & 0xFFU));
  return bytes;
}

std::string EncodeV4Frame(std::string_view content, bool spoil_crc) {
  const std::string bytes = FramedContent(content, spoil_crc);
  std::string wire;
  wire.reserve(bytes.size() / 7 * kGroupChars + 1);
  for (std::size_t g = 0; g < bytes.size(); g += 7) {
    unsigned header = 0;
    for (std::size_t k = 0; k < 7; ++k)
      header |= (static_cast<unsigned char>(bytes[g + k]) & 1U) << k;
    wire.push_back(static_cast<char>(0x80U | header));
    for (std::size_t k = 0; k < 7; ++k)
      wire.push_back(static_cast<char>(0x80U | (static_cast<unsigned char>(bytes[g + k]) >> 1)));
  }
  wire.push_back('\r');
  return wire;
}

std::optional<std::string> DecodeV4Frame(std::string_view group_chars, std::string* why) {
  auto fail = [why](std::string text) -> std::optional<std::string> {
    if (why) *why = std::move(text);
    return std::nullopt;
  };
  if (group_chars.empty() || group_chars.size() % kGroupChars != 0)
    return fail("frame of " + std::to_string(group_chars.size()) + " characters is not whole groups");
  if (group_chars.size() / kGroupChars > kMaxFrameGroups) return fail("frame longer than 50 groups");

  std::string bytes;
  bytes.reserve(group_chars.size() / kGroupChars * 7);
  for (std::size_t g = 0; g < group_chars.size(); g += kGroupChars) {
    const unsigned header = static_cast<unsigned char>(group_chars[g]) & 0x7FU;
    for (std::size_t k = 0; k < 7; ++k) {
      const unsigned high = static_cast<unsigned char>(group_chars[g + 1 + k]) & 0x7FU;
      bytes.push_back(static_cast<char>((high << 1) | ((header >> k) & 1U)));
    }
  }
  const std::size_t body = bytes.size() - 4;
  std::uint32_t sent = 0;
  for (int i = 0; i < 4; ++i)
    sent |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[body + i])) << (8 * i);
  if (Crc32Jamcrc(std::string_view(bytes).substr(0, body)) != sent) return fail("bad CRC-32");
  bytes.resize(body);
  return bytes;
}

}  // namespace sim
