#include "link/log_records.h"

#include <cstdlib>

#include "common/vb.h"
#include "link/reply_tokens.h"

namespace lnk {

namespace {

enum class Scale { Hundredths, Tenths, Whole };

// Scale of each value, in column order.
constexpr std::array<Scale, sites::kLogValueCount> kScales = {
    Scale::Hundredths, Scale::Hundredths, Scale::Hundredths, Scale::Hundredths,
    Scale::Tenths,     Scale::Tenths,     Scale::Whole,      Scale::Whole,
    Scale::Whole,      Scale::Whole,      Scale::Whole,      Scale::Whole,
    Scale::Tenths,     Scale::Tenths};

std::string NextToken(std::string& rx, Scale scale) {
  switch (scale) {
    case Scale::Hundredths: return NextHundredthsToken(rx);
    case Scale::Tenths: return NextTenthsToken(rx);
    case Scale::Whole: break;
  }
  return NextIntToken(rx);
}

// The date of month/day in year, or nothing when it is no calendar day.
std::optional<vb::DateTime> CalendarDay(int year, int month, int day) {
  const vb::DateTime d = vb::MakeDateTime(year, month, day);
  if (vb::Month(d) != month || vb::Day(d) != day) return std::nullopt;
  return d;
}

}  // namespace

LogDayRecord NextLogRecord(std::string& rx) {
  LogDayRecord record;
  record.month = NextIntToken(rx);
  record.day = NextIntToken(rx);
  for (size_t i = 0; i < kScales.size(); ++i) record.values[i] = NextToken(rx, kScales[i]);
  return record;
}

std::optional<std::int32_t> LogDayKey(const LogDayRecord& record, vb::DateTime today) {
  const double month = vb::Val(record.month);
  const double day = vb::Val(record.day);
  if (!(month > 0 && month < 13 && day > 0 && day < 32)) return std::nullopt;
  const int m = static_cast<int>(month);
  const int d = static_cast<int>(day);
  int year = vb::Year(today);
  const auto this_year = CalendarDay(year, m, d);
  if (!this_year) return std::nullopt;
  if (std::llabs(vb::DayNumber(*this_year) - vb::DayNumber(today)) > 180) {
    --year;
    // 29 February of a leap year seen from the year after has no day.
    if (!CalendarDay(year, m, d)) return std::nullopt;
  }
  return year * 10000 + m * 100 + d;
}

}  // namespace lnk
