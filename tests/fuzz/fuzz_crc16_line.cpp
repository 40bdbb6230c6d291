// Fuzzes the CRC-16 line check: any line is stripped as promised, the line
// closed by its own CRC passes, and any single flipped bit of it fails.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/crc16_line.h"
#include "reference_crc16.h"
#include "fuzz_support.h"

namespace {

using testkit::Require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  std::string line(input);
  const bool ok = lnk::CheckLineCrc16(line);
  if (input.size() <= 5) {
    Require(!ok && line == input);
  } else {
    Require(line == input.substr(0, input.size() - 4));
    Require(ok == (input.substr(input.size() - 4) == testkit::Crc16Digits(line)));
  }

  const std::string text(input.substr(0, 200));
  std::string checked = text + testkit::Crc16Digits(text);
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
