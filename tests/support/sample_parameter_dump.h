// A plausible parameter image of a 48 V unit and the text forms a unit (or
// a saved status file) gives it in: the plain dump, the checked dump with
// CRC-16 digits, and the sequential line of a status file. The CRC here is
// computed bit by bit, independently of the console's own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "reference_crc16.h"

namespace testkit {

using ParameterValues = std::array<int, 301>;

// Firmware version parameters 3, 4, 5 are set from the arguments.
ParameterValues SampleParameters(int major = 3, int minor = 18, int build = 2);

// "\r\n  a v" for every address from 0 to last, after a first line holding
// last (the count line a unit sends).
std::string PlainDump(const ParameterValues& values, int last = 255);

// Lines "aaa vvv" closed by their CRC-16 digits, each ended by LF CR, after a
// short first line; the first carriage return is the ninth character.
std::string CheckedDump(const ParameterValues& values, int last = 255);

// The first line of a text status file: the dump with its line ends as
// blanks.
std::string SequentialDump(const ParameterValues& values, int last = 255);
// The same of a checked dump: its lines keep their check digits.
std::string SavedCheckedDump(const ParameterValues& values, int last = 255);

}  // namespace testkit
