// The check that newer firmware puts at the end of its status and dump lines:
// a CRC-16/MCRF4XX (polynomial 0x1021 bit-reflected as 0x8408, preset 0xFFFF,
// no final XOR) of the line's text, written as four upper-case hex digits,
// low byte first. Written bit by bit on purpose: the unit's side must not
// share code with the console's byte-wise form, or a common fault would hide.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

std::uint16_t Crc16Mcrf4xx(std::string_view bytes);

// The four check digits for text; with spoil set, digits that are valid hex
// but wrong (the low bit of the CRC flipped).
std::string LineCheckDigits(std::string_view text, bool spoil = false);

}  // namespace sim
