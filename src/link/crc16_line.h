// Lines closed by a CRC-16 check: newer firmware ends each status and dump
// line with four upper-case hex digits, the CRC-16/MCRF4XX of the rest of the
// line (polynomial 0x1021 reflected, preset 0xFFFF, no final XOR), low byte
// first. The check strips those digits so no tokenizer reads them as a number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lnk {

// The running CRC register as two bytes.
struct Crc16Register {
  std::uint8_t Crc16Hi = 0xFF;
  std::uint8_t Crc16Lo = 0xFF;
};

// Feeds one byte into the register (byte-wise form of the reflected CCITT CRC).
void Crc16Update(Crc16Register& reg, std::uint8_t b);

// True when the last four characters of check_line are the CRC of the rest.
// A line of 5 characters or fewer fails and is left as it is; a longer one
// loses its last four characters whatever the outcome.
bool CheckLineCrc16(std::string& check_line);

// True unless some character is outside "0".."9" and "A".."F" ("" is true;
// lower-case letters fail).
bool IsHexText(std::string_view s);

}  // namespace lnk
