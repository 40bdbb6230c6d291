#include "link/reply_tokens.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <utility>

namespace lnk {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsTokenChar(char c) { return IsDigit(c) || c == '-'; }

// The next token, cut from the front of rx together with what precedes it;
// nothing (and rx untouched) when rx holds no token. Kept apart from the
// "---" text because a run of three minus signs is a token in its own right.
std::optional<std::string> TakeToken(std::string& rx) {
  const auto start = std::find_if(rx.begin(), rx.end(), IsTokenChar);
  if (start == rx.end()) return std::nullopt;
  const auto stop = std::find_if_not(start, rx.end(), IsTokenChar);
  std::string token(start, stop);
  rx.erase(rx.begin(), stop);
  return token;
}

// A sign followed by no more digits than the places: the count rule alone
// would put the point before the sign's digit ("-.5") or after the sign
// ("0.-5", which reads as 0), so such a token is zero-filled after its sign.
bool IsShortNegative(const std::string& token, std::size_t places) {
  return token.size() >= 2 && token.size() <= places + 1 && token.front() == '-' &&
         std::all_of(token.begin() + 1, token.end(), IsDigit);
}

std::string WithPoint(const std::string& token, std::size_t places) {
  if (IsShortNegative(token, places)) {
    const std::string digits = token.substr(1);
    return "-0." + std::string(places - digits.size(), '0') + digits;
  }
  if (token.size() <= places) return "0." + std::string(places - token.size(), '0') + token;
  const std::size_t whole = token.size() - places;
  return token.substr(0, whole) + "." + token.substr(whole);
}

std::string NextScaledToken(std::string& rx, std::size_t places) {
  const auto token = TakeToken(rx);
  return token ? WithPoint(*token, places) : std::string(kMissingNumber);
}

}  // namespace

std::string NextIntToken(std::string& rx) {
  auto token = TakeToken(rx);
  return token ? std::move(*token) : std::string(kMissingNumber);
}

std::string NextTenthsToken(std::string& rx) { return NextScaledToken(rx, 1); }

std::string NextHundredthsToken(std::string& rx) { return NextScaledToken(rx, 2); }

std::string DigitsOnly(std::string_view s) {
  std::string digits;
  std::copy_if(s.begin(), s.end(), std::back_inserter(digits), IsDigit);
  return digits;
}

}  // namespace lnk
