#include "line_check.h"

namespace sim {

std::uint16_t Crc16Mcrf4xx(std::string_view bytes) {
  std::uint16_t crc = 0xFFFF;
  for (char ch : bytes) {
    crc ^= static_cast<unsigned char>(ch);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1U) != 0 ? static_cast<std::uint16_t>((crc >> 1) ^ 0x8408U)
                            : static_cast<std::uint16_t>(crc >> 1);
  }
  return crc;
}

std::string LineCheckDigits(std::string_view text, bool spoil) {
  std::uint16_t crc = Crc16Mcrf4xx(text);
  if (spoil) crc ^= 0x0001;
  static constexpr char kHex[] = "0123456789ABCDEF";
  const unsigned lo = crc & 0xFFU;
  const unsigned hi = crc >> 8;
  return {kHex[lo >> 4], kHex[lo & 0xF], kHex[hi >> 4], kHex[hi & 0xF]};
}

}  // namespace sim
