// Fuzzes the CRC-16 line check: any line is stripped as promised, the line
// closed by its own CRC passes, and any single flipped bit of it fails.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/crc16_line.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

// Bit-at-a-time CRC-16/MCRF4XX, independent of the byte-wise form.
std::uint16_t ReferenceCrc16(std::string_view text) {
  std::uint16_t crc = 0xFFFF;
  for (const char c : text) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 1U) != 0 ? static_cast<std::uint16_t>((crc >> 1) ^ 0x8408U)
                            : static_cast<std::uint16_t>(crc >> 1);
    }
  }
  return crc;
}

std::string CheckDigits(std::string_view text) {
  const std::uint16_t crc = ReferenceCrc16(text);
  char digits[5];
  std::snprintf(digits, sizeof digits, "%02X%02X", crc & 0xFFU, crc >> 8);
  return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  std::string line(input);
  const bool ok = lnk::CheckLineCrc16(line);
  if (input.size() <= 5) {
    Require(!ok && line == input);
  } else {
    Require(line == input.substr(0, input.size() - 4));
    Require(ok == (input.substr(input.size() - 4) == CheckDigits(line)));
  }

  const std::string text(input.substr(0, 200));
  std::string checked = text + CheckDigits(text);
  if (checked.size() > 5) {
    std::string good = checked;
    Require(lnk::CheckLineCrc16(good) && good == text);
    const std::size_t bit = size == 0 ? 0 : data[0] % (checked.size() * 8);
    checked[bit / 8] = static_cast<char>(checked[bit / 8] ^ (1 << (bit % 8)));
    Require(!lnk::CheckLineCrc16(checked));
  }
  (void)lnk::IsHexText(input);
  return 0;
}
