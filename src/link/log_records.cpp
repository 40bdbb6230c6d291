#include "link/log_records.h"

#include <cstdlib>

#include "common/vb.h"
#include "common/whole_number.h"
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

constexpr std::string_view kTokenChars = "0123456789-";

// The token with its decimal point placed as the unit means it.
std::string Scaled(std::string token, Scale scale) {
  switch (scale) {
    case Scale::Hundredths: return NextHundredthsToken(token);
    case Scale::Tenths: return NextTenthsToken(token);
    case Scale::Whole: break;
  }
  return token;
}

// The date of month/day in year, or nothing when it is no calendar day.
std::optional<vb::DateTime> CalendarDay(int year, int month, int day) {
  const vb::DateTime d = vb::MakeDateTime(year, month, day);
  if (vb::Month(d) != month || vb::Day(d) != day) return std::nullopt;
  return d;
}

}  // namespace

std::vector<std::string_view> LogRecordLines(std::string_view reply) {
  std::vector<std::string_view> lines;
  // Only a line the unit closed: text after the last line end was cut off
  // (the line count or the silence ended the reply inside it), and its last
  // number may be whole digits short.
  for (std::size_t end = reply.find_first_of("\r\n"); end != std::string_view::npos;
       end = reply.find_first_of("\r\n")) {
    const std::string_view line = reply.substr(0, end);
    if (line.find_first_of(kTokenChars) != std::string_view::npos) lines.push_back(line);
    reply.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<LogDayRecord> ReadLogRecord(std::string_view line) {
  std::string rest(line);
  std::vector<std::string> tokens;
  while (rest.find_first_of(kTokenChars) != std::string::npos) {
    tokens.push_back(NextIntToken(rest));
    // "---", "-" and "12-3" are what a line cut short or garbled leaves.
    if (tokens.size() > static_cast<std::size_t>(kLogRecordNumbers) ||
        !common::WholeNumber(tokens.back()))
      return std::nullopt;
  }
  if (tokens.size() != static_cast<std::size_t>(kLogRecordNumbers)) return std::nullopt;
  LogDayRecord record;
  record.month = tokens[0];
  record.day = tokens[1];
  for (std::size_t i = 0; i < kScales.size(); ++i) record.values[i] = Scaled(tokens[i + 2], kScales[i]);
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
