// Fuzzes the V4 status lines with any packet buffer, as loaded from a file
// of any length. The first input byte chooses the firmware layout.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/reply_tokens.h"
#include "link/v4_status_packet.h"
#include "fuzz_support.h"

namespace {

using testkit::Require;

// Tokens of a built line: one per field that lay inside the buffer.
int CountTokens(std::string line) {
  int count = 0;
  while (lnk::NextIntToken(line) != "---") ++count;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::int32_t firmware = data[0] % 2 == 0 ? lnk::kSocLayoutFirmware : 32116;
  const std::string_view buf(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::string u = lnk::BuildV4StatusULine(buf, firmware);
  const std::string v = lnk::BuildV4StatusVLine(buf, firmware);
  Require(u.starts_with("U ") && v.starts_with("V "));

  const int u_fields = firmware == lnk::kSocLayoutFirmware ? 17 : 16;
  const int u_tokens = CountTokens(u);
  const int v_tokens = CountTokens(v);
  Require(u_tokens <= u_fields);
  Require(v_tokens >= 2 && v_tokens <= 8);  // the two zeros are always there

  // A buffer holding the whole status block gives every field.
  if (buf.size() >= 2) {
    const std::size_t status = static_cast<std::uint8_t>(buf[0]) * 256U +
                               static_cast<std::uint8_t>(buf[1]) + 2;  // 0-based
    const std::size_t v_end = status + (firmware == lnk::kSocLayoutFirmware ? 25 : 21) + 20;
    if (buf.size() >= v_end) Require(u_tokens == u_fields && v_tokens == 8);
  }
  return 0;
}
