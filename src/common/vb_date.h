// Local date and time as the console reads and shows it.
//
// A DateTime is a count of milliseconds of local wall-clock time since
// 30 December 1899 00:00 (the epoch of the original's date values), so that
// virtual time in tests is exact to the millisecond and the original's date
// arithmetic (days as whole numbers, seconds since midnight) follows directly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <optional>

namespace vb {

struct DateTime {
  std::int64_t ms = 0;  // local milliseconds since 1899-12-30 00:00:00

  friend auto operator<=>(const DateTime&, const DateTime&) = default;
  DateTime operator+(std::int64_t delta_ms) const { return DateTime{ms + delta_ms}; }
  std::int64_t operator-(DateTime other) const { return ms - other.ms; }
};

inline constexpr std::int64_t kMsPerDay = 86'400'000;

// Builds a date and time; month 1..12, day 1..31 (out-of-range parts roll
// over as DateSerial/TimeSerial do: month 13 is January of the next year).
DateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                      int second = 0, int millisecond = 0);
DateTime DateSerial(int year, int month, int day);

int Year(DateTime t);
int Month(DateTime t);
int Day(DateTime t);
int Hour(DateTime t);
int Minute(DateTime t);
int Second(DateTime t);
// 1 = Sunday ... 7 = Saturday (the original's default first day of the week).
int Weekday(DateTime t);
// Whole days since the epoch (the date part).
std::int64_t DayNumber(DateTime t);
DateTime DatePart(DateTime t);
// Seconds since midnight with the fraction (the original's Timer).
double SecondsSinceMidnight(DateTime t);

// The original's date value (days since the epoch, fraction = time of day).
double ToOleDate(DateTime t);
DateTime FromOleDate(double d);

// "M/d/yyyy h:mm:ss AM" form, as a date joined to text shows (time part left
// out at midnight, date part left out for a pure time before 1899-12-31).
std::string CStrDate(DateTime t);
// Formats with a picture of the original's date codes: yyyy yy mm m dd d
// hh h nn ss ampm/AM/PM and literal separators ("mm/dd/yy", "hh:nn:ss").
// "mm" after "h"/"hh" means minutes, as in the original.
std::string FormatDate(DateTime t, std::string_view picture);
// Reads "month/day/year" (the year with 2 or 4 digits) into a date, or
// nothing when it is no calendar date (30 February).
std::optional<DateTime> DateValueMDY(std::string_view text);

}  // namespace vb
