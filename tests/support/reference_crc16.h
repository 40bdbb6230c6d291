// The tests' own CRC-16/MCRF4XX, computed bit by bit and written apart from
// the console's byte-wise form, so a fault in one shows against the other.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace testkit {

std::uint16_t ReferenceCrc16(std::string_view text);
// The four check digits of text, low byte first, upper-case hex.
std::string Crc16Digits(std::string_view text);
// text followed by its check digits.
std::string CheckedLine(std::string_view text);

}  // namespace testkit
