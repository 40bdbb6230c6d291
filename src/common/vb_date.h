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
// over as DateSerial/TimeSerial do: month 13 is January of the next year,
// day 0 the last day of the month before, hour 24 midnight of the next day).
// The year is taken as it is (proleptic Gregorian calendar, year 5 is 5 AD).
DateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                      int second = 0, int millisecond = 0);
// As MakeDateTime at midnight, but a year 0..99 is read as the original's
// DateSerial reads it: 0-29 -> 2000-2029, 30-99 -> 1930-1999.
DateTime DateSerial(int year, int month, int day);

// The parts of t. The milliseconds are cut off, not rounded (the original's
// dates held whole seconds): 23:59:59.999 is still second 59 of that day.
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
// out at midnight, date part left out for a pure time, i.e. on day 0,
// 1899-12-30: day 0 at midnight shows "12:00:00 AM"). Seconds are cut off
// as in Second(); a time below one second after midnight counts as midnight.
std::string CStrDate(DateTime t);
// Formats with a picture of the original's date codes: yyyy yy mm m dd d
// hh h nn ss ampm/AM/PM and literal separators ("mm/dd/yy", "hh:nn:ss").
// "mm" after "h"/"hh" means minutes, as in the original: the first "m"/"mm"
// anywhere after an hour code, once ("hh:mm dd/mm" = minutes, then month).
// With AM/PM, am/pm, A/P, a/p or AMPM the hours are on the 12-hour clock.
// Also: mmm mmmm ddd dddd (English names), ddddd (M/d/yyyy), dddddd (long
// date), ttttt (h:mm:ss AM), c (as CStrDate), y (day of year), w (weekday),
// ww (week, Sunday first, week 1 holds 1 January), q (quarter), n (minute
// without zero), "\x" and "\"text\"" literals. Other characters are copied.
std::string FormatDate(DateTime t, std::string_view picture);
// Reads "month/day/year" (the year with 2 or 4 digits) into a date, or
// nothing when it is no calendar date (30 February).
// Month and day have 1 or 2 digits; a 1- or 2-digit year is read as
// DateSerial does (00-29 -> 2000s, 30-99 -> 1900s), a 4-digit year must be
// 100 or later; "-" may stand for both "/"; blanks around are ignored; a time
// part or any other text gives nothing. Unlike the original's DateValue, a
// month above 12 is not retried as day/month ("13/1/2026" gives nothing).
std::optional<DateTime> DateValueMDY(std::string_view text);

}  // namespace vb
