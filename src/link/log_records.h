// The unit's daily log as it answers "L": one day record to a line, each of
// sixteen numbers (month, day, then the fourteen values of sites/log_columns.h).
//
// Each line is read on its own, so a token lost or cut off spoils its own
// day and no other; and a day with a number missing is passed over rather
// than stored with a made-up value, since a stored day is never replaced.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/vb_date.h"
#include "sites/log_columns.h"

namespace lnk {

// Numbers in one record: month, day and the fourteen values.
inline constexpr int kLogRecordNumbers = 2 + sites::kLogValueCount;

struct LogDayRecord {
  std::string month;  // tokens as read
  std::string day;
  // Battery and load volts in hundredths, load amps in tenths, six
  // temperatures as they stand, the two amp-hour counts in tenths; each
  // with its decimal point placed.
  std::array<std::string, sites::kLogValueCount> values;
};

// The lines of a reply that hold a number token and end in a line end, in
// the order received; blank lines, lines of text alone (an echo, noise) and
// the piece after the last line end are no records.
std::vector<std::string_view> LogRecordLines(std::string_view reply);

// The record of one line: nothing unless the line holds exactly sixteen
// tokens and each is a whole number (digits, a minus sign only in front, at
// most ten digits).
std::optional<LogDayRecord> ReadLogRecord(std::string_view line);

// The record's day as the number YYYYMMDD, seen from today: the current
// year, or the year before when that day lies more than 180 days away.
// Nothing for a record that is passed over: a month outside 1..12, a day
// outside 1..31, or a month and day that make no calendar day in that year.
std::optional<std::int32_t> LogDayKey(const LogDayRecord& record, vb::DateTime today);

}  // namespace lnk
