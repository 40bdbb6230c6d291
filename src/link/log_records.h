// The unit's daily log as it answers "L": seven day records of sixteen number
// tokens each (month, day, then the fourteen values of sites/log_columns.h),
// read from the front of the reply like every other text reply.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/vb_date.h"
#include "sites/log_columns.h"

namespace lnk {

inline constexpr int kLogDays = 7;

struct LogDayRecord {
  std::string month;  // tokens as read, "---" when missing
  std::string day;
  // Battery and load volts in hundredths, load amps in tenths, six
  // temperatures as they stand, the two amp-hour counts in tenths.
  std::array<std::string, sites::kLogValueCount> values;
};

// Takes one record's sixteen tokens from the front of rx, whatever they hold,
// so that a record passed over never shifts the records after it.
LogDayRecord NextLogRecord(std::string& rx);

// The record's day as the number YYYYMMDD, seen from today: the current
// year, or the year before when that day lies more than 180 days away.
// Nothing for a record that is passed over: a month outside 1..12, a day
// outside 1..31, or a month and day that make no calendar day in that year.
std::optional<std::int32_t> LogDayKey(const LogDayRecord& record, vb::DateTime today);

}  // namespace lnk
