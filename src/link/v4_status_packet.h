// The live status that follows the parameter memory in a V4 dump packet,
// turned back into the "U " and "V " lines of the text dialect, with their
// tokens in the order the text parsers read them; so both dialects fill the
// screens by one set of rules.
//
// packet_buf is a decoded packet (one character per byte): bytes 1-2 hold
// the length L of the parameter block, big-endian; the status block starts
// at position L + 3. Positions are 1-based; multi-byte fields are big-endian.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lnk {

// Firmware 4.01.00 sends both currents in hundredths over three bytes and
// adds the state of charge; every other version uses the shorter layout.
inline constexpr std::int32_t kSocLayoutFirmware = 40100;

// Field texts, each beginning with a blank so fields never run together.
// A field that reaches past the end of packet_buf gives "" (the parser then
// reads the next field in its place and "---" at the end).
std::string PacketByteText(std::string_view packet_buf, long pos);   // " 07", " 123"
std::string PacketInt16Text(std::string_view packet_buf, long pos);  // "  1324", " -1"
std::string PacketInt24Text(std::string_view packet_buf, long pos);  // signed 3 bytes
std::string PacketU40Text(std::string_view packet_buf, long pos);    // unsigned 5 bytes

// "U " followed by date, one unshown value, time, weekday, battery voltage,
// PV and load current, battery and unit temperature, relay bits, generator
// bits, one unshown value and (kSocLayoutFirmware only) the state of charge.
std::string BuildV4StatusULine(std::string_view packet_buf, std::int32_t firmware);

// "V " followed by two unshown values, the equalisation flag, two zeros in
// place of the text reply's two unshown values, and the net, in and out
// ampere-hour counters.
std::string BuildV4StatusVLine(std::string_view packet_buf, std::int32_t firmware);

}  // namespace lnk
