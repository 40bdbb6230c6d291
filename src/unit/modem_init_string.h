// The unit's modem init string as bytes of its parameter memory: where it
// starts and how a text becomes the bytes written there.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace unit {

// The text dialect's string region ends here (the last address of a text
// dump); it starts at 227, or at 228 where 227 is a parameter.
inline constexpr int kModemInitRegionEnd = 255;

// A V4 unit takes the string as a bulk write of four-byte packets from 227;
// the last packet starts at 263, so 40 bytes (227 to 266) go out.
inline constexpr int kModemInitBulkStart = 227;
inline constexpr int kModemInitBulkEnd = 263;
inline constexpr int kModemInitBulkLength = 40;

// 227, or 228 when the unit has battery-safe maintenance or firmware
// 32116 or later (227 is then a parameter of its own).
int ModemInitTextAddress(bool gen_batt_safe_maint, std::int32_t firmware_version);

// The bytes written from address in the text dialect: the text, then zero
// bytes up to the region's end (29 bytes from 227, 28 from 228). The screen
// refuses a longer text; cut here all the same, nothing past the region is
// ever overwritten.
std::string ModemInitTextBytes(std::string_view text, int address);

// The image a V4 bulk write reads (address a at position a + 3, 1-based):
// 700 "+" characters, the 40 bytes of the region zeroed and the text
// written over them from its start.
std::string ModemInitBulkImage(std::string_view text);

}  // namespace unit
