#include "reference_crc16.h"

#include <cstdio>

namespace testkit {

std::uint16_t ReferenceCrc16(std::string_view text) {
  std::uint16_t crc = 0xFFFF;
  for (const char c : text) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1U) != 0 ? static_cast<std::uint16_t>((crc >> 1) ^ 0x8408U)
                            : static_cast<std::uint16_t>(crc >> 1);
  }
  return crc;
}

std::string Crc16Digits(std::string_view text) {
  const std::uint16_t crc = ReferenceCrc16(text);
  char digits[5];
  std::snprintf(digits, sizeof digits, "%02X%02X", crc & 0xFFU, crc >> 8);
  return digits;
}

std::string CheckedLine(std::string_view text) { return std::string(text) + Crc16Digits(text); }

}  // namespace testkit
