// Reading numbers out of a unit's text reply. A reply is a stream of number
// tokens (runs of digits and "-") separated by anything else; every parser
// calls these in the order of the reply's fields, so the order of calls is
// the reply's layout. Each call removes the token and everything before it
// from the front of the buffer.
#pragma once

#include <string>
#include <string_view>

namespace lnk {

// The value of a missing number; shown as it stands by whatever receives it.
inline constexpr std::string_view kMissingNumber = "---";

// The next token as it stands, or "---" (buffer untouched) when none is left.
std::string NextIntToken(std::string& rx);

// The next token with a point before its last character (123 -> 12.3,
// 5 -> 0.5), or "---". The point is placed by counting characters; the
// unit's digits are passed on unchanged (0125 -> 012.5). A short negative
// token keeps its sign in front (-5 -> -0.5).
std::string NextTenthsToken(std::string& rx);

// As NextTenthsToken with two places (1234 -> 12.34, 7 -> 0.07,
// -12 -> -0.12, -5 -> -0.05).
std::string NextHundredthsToken(std::string& rx);

// The characters "0" to "9" of s in their order ("9, 555-0123" -> "95550123").
std::string DigitsOnly(std::string_view s);

}  // namespace lnk
