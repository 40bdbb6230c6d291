// The text a unit sends back to text commands. Every line ends in line feed
// then carriage return, so a line cut at its first line feed holds no line
// end and its check digits, when it has them, are its very last characters.
// Numbers are bare decimal tokens separated by blanks, slashes and colons,
// in the order the console's parsers read them.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "day_log.h"
#include "live_status.h"
#include "parameter_memory.h"
#include "unit_clock.h"

namespace sim {

inline constexpr std::string_view kLineEnd = "\n\r";

// What a checked reply looks like: whether it carries check digits, and
// whether they are to be wrong.
struct LineCheck {
  bool present = false;
  bool spoilt = false;
};

// "U": date yy/mm/dd, an unshown value, time hh:mm:ss, weekday, battery
// voltage in hundredths, PV and load current (tenths; hundredths on firmware
// 40100), battery and unit temperature, relay bits, generator bits, an
// unshown value, and on firmware 40100 the state of charge in hundredths.
std::string StatusULine(const ClockReading& clock, const LiveStatus& status,
                        std::int32_t firmware, int soc_centipercent, LineCheck check);

// "V": two unshown values, the equalisation flag, two unshown values, and
// the net, in and out ampere-hours in hundredths.
std::string StatusVLine(const LiveStatus& status, LineCheck check);

// The answer to "D": a first line holding the last address, then one line
// per address "aaa v" (plain: the address right-aligned in three characters,
// a blank, the value) or, checked, "aaa vvv" and four check digits.
// `missing` addresses are left out; with check.spoilt the line of
// spoilt_address gets wrong digits.
std::string TextDump(const Memory& memory, int last_address, const std::set<int>& missing,
                     LineCheck check, int spoilt_address);

// The answer to "L": seven lines of sixteen tokens, oldest day first.
std::string DayLogLines(const DayLog& log);

// The answer to "Pp": a heading and the week's records.
std::string SiteLogText(std::uint16_t site, const DayLog& log);

// An alarm report as a calling unit sends it: "Alarm Report", the site
// number, the date (month/day), the time (hour:minute) and the 16 flags.
std::string AlarmReportText(std::uint16_t site, const ClockReading& clock, std::string_view flags);

// The short answer to a command whose effect is all there is to report.
std::string Acknowledgement(std::string_view command);

}  // namespace sim
