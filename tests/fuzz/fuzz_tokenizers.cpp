// Fuzzes the reply tokenizers: any reply text is read to its end in the
// parsers' way (the three readers in turn) without losing or inventing text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/vb.h"
#include "link/reply_tokens.h"
#include "fuzz_support.h"

namespace {

using testkit::Require;

bool IsTokenChar(char c) { return (c >= '0' && c <= '9') || c == '-'; }

// The value of a token made of an optional sign and up to 15 digits.
bool PlainNumber(std::string_view token, double& value) {
  const std::string_view digits = token.substr(token.starts_with('-') ? 1 : 0);
  if (digits.empty() || digits.size() > 15) return false;
  for (const char c : digits) {
    if (c < '0' || c > '9') return false;
  }
  value = std::strtod(std::string(token).c_str(), nullptr);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string rx(input);
  for (int call = 0;; ++call) {
    std::string peek = rx;
    const std::string raw = lnk::NextIntToken(peek);
    const std::size_t before = rx.size();
    const int places = call % 3;
    const std::string token = places == 0   ? lnk::NextIntToken(rx)
                              : places == 1 ? lnk::NextTenthsToken(rx)
                                            : lnk::NextHundredthsToken(rx);
    Require(rx == peek);  // every reader cuts the same text
    Require(input.ends_with(rx));
    if (rx.size() == before) {
      // Nothing left to read: no token character remains and the text stays.
      Require(token == "---");
      for (const char c : rx) Require(!IsTokenChar(c));
      break;
    }
    for (const char c : raw) Require(IsTokenChar(c));
    Require(!rx.empty() ? !IsTokenChar(rx.front()) : true);
    double value = 0;
    if (places > 0 && PlainNumber(raw, value)) {
      const double scaled = value / (places == 1 ? 10.0 : 100.0);
      const double shown = vb::Val(token);
      Require(shown - scaled < 1e-9 * (1 + (scaled < 0 ? -scaled : scaled)) &&
              scaled - shown < 1e-9 * (1 + (scaled < 0 ? -scaled : scaled)));
    } else if (places == 0) {
      Require(token == raw);
    }
  }

  const std::string digits = lnk::DigitsOnly(input);
  std::size_t count = 0;
  for (const char c : input) count += (c >= '0' && c <= '9') ? 1 : 0;
  Require(digits.size() == count);
  return 0;
}
