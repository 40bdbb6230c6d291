#include "link/crc16_line.h"

#include <algorithm>
#include <cstddef>

#include "common/vb.h"

namespace lnk {
namespace {

constexpr std::size_t kCheckDigits = 4;

// A hex byte from two check digits already known to be hex text.
std::uint8_t HexByte(std::string_view two_digits) {
  return static_cast<std::uint8_t>(vb::Val("&H" + std::string(two_digits)));
}

}  // namespace

void Crc16Update(Crc16Register& reg, std::uint8_t b) {
  std::uint8_t x = b ^ reg.Crc16Lo;
  x ^= static_cast<std::uint8_t>(x << 4);
  reg.Crc16Lo = static_cast<std::uint8_t>(reg.Crc16Hi ^ static_cast<std::uint8_t>(x << 3) ^ (x >> 4));
  reg.Crc16Hi = static_cast<std::uint8_t>(x ^ (x >> 5));
}

bool CheckLineCrc16(std::string& check_line) {
  if (check_line.size() <= kCheckDigits + 1) return false;

  const std::size_t text_length = check_line.size() - kCheckDigits;
  Crc16Register reg;
  for (std::size_t i = 0; i < text_length; ++i) {
    Crc16Update(reg, static_cast<std::uint8_t>(check_line[i]));
  }
  const std::string digits = check_line.substr(text_length);
  check_line.resize(text_length);

  if (!IsHexText(digits)) return false;
  return HexByte(std::string_view(digits).substr(0, 2)) == reg.Crc16Lo &&
         HexByte(std::string_view(digits).substr(2, 2)) == reg.Crc16Hi;
}

bool IsHexText(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
  });
}

}  // namespace lnk
