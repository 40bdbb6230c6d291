// The V4 "T" packet that sets a unit's clock: "T", then the year of the
// century, month, day, weekday, hour, minute and second, one byte each.
#pragma once

#include <array>
#include <string>

#include "common/vb_date.h"

namespace unit {

// The date spinners' values in their order: year (of the century), month,
// day, hour, minute, second, weekday (0 Sunday .. 6 Saturday).
using ClockFields = std::array<int, 7>;

// From the computer's clock: the weekday counts Monday as 1 and Sunday as 7.
std::string ClockPacketFromComputer(vb::DateTime now);

// From the spinners: the weekday byte is the spinner's 0..6.
std::string ClockPacketFromFields(const ClockFields& fields);

}  // namespace unit
