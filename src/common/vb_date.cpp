// Dates of vb_date.h: proleptic Gregorian calendar on local wall-clock time,
// no time zones and no libc time functions.
#include "common/vb_date.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vb {

namespace {

constexpr std::int64_t kMsPerHour = 3'600'000;
constexpr std::int64_t kMsPerMinute = 60'000;
// Days from 1970-01-01 back to the epoch 1899-12-30.
constexpr std::int64_t kEpochOffsetDays = 25'569;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b) { return a - FloorDiv(a, b) * b; }

// Howard Hinnant's days_from_civil / civil_from_days (days since 1970-01-01).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
  std::int64_t year;
  int month;
  int day;
};

Civil CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {y + (m <= 2), static_cast<int>(m), static_cast<int>(d)};
}

bool IsLeap(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(std::int64_t y, int m) {
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return (m == 2 && IsLeap(y)) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

Civil CivilOf(DateTime t) { return CivilFromDays(DayNumber(t) - kEpochOffsetDays); }
std::int64_t TimeOfDayMs(DateTime t) { return FloorMod(t.ms, kMsPerDay); }

// Two-digit years as the original reads them: 0-29 -> 2000s, 30-99 -> 1900s.
int WindowYear(int year) {
  if (year >= 0 && year <= 29) return year + 2000;
  if (year >= 30 && year <= 99) return year + 1900;
  return year;
}

constexpr std::array<const char*, 7> kDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

std::string Num(std::int64_t v, int width) {
  std::string s = std::to_string(v < 0 ? -v : v);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
  return v < 0 ? "-" + s : s;
}

std::string ShortDate(DateTime t) {
  const Civil c = CivilOf(t);
  return std::to_string(c.month) + "/" + std::to_string(c.day) + "/" + Num(c.year, 4);
}

std::string LongTime(DateTime t) {
  const int h = Hour(t);
  const int h12 = h % 12 == 0 ? 12 : h % 12;
  return std::to_string(h12) + ":" + Num(Minute(t), 2) + ":" + Num(Second(t), 2) +
         (h < 12 ? " AM" : " PM");
}

}  // namespace

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond) {
  // Years are kept far inside the range where milliseconds fit 64 bits.
  const std::int64_t y0 = std::clamp<std::int64_t>(year, -10'000'000, 10'000'000);
  const std::int64_t m0 = static_cast<std::int64_t>(month) - 1;
  const std::int64_t y = y0 + FloorDiv(m0, 12);
  const auto m = static_cast<unsigned>(FloorMod(m0, 12) + 1);
  const std::int64_t days = DaysFromCivil(y, m, 1) + kEpochOffsetDays + (static_cast<std::int64_t>(day) - 1);
  return DateTime{days * kMsPerDay + hour * kMsPerHour + minute * kMsPerMinute +
                  static_cast<std::int64_t>(second) * 1000 + millisecond};
}

DateTime DateSerial(int year, int month, int day) {
  return MakeDateTime(WindowYear(year), month, day);
}

int Year(DateTime t) { return static_cast<int>(CivilOf(t).year); }
int Month(DateTime t) { return CivilOf(t).month; }
int Day(DateTime t) { return CivilOf(t).day; }
int Hour(DateTime t) { return static_cast<int>(TimeOfDayMs(t) / kMsPerHour); }
int Minute(DateTime t) { return static_cast<int>(TimeOfDayMs(t) % kMsPerHour / kMsPerMinute); }
int Second(DateTime t) { return static_cast<int>(TimeOfDayMs(t) % kMsPerMinute / 1000); }

int Weekday(DateTime t) {
  // Day 0, 1899-12-30, was a Saturday.
  return static_cast<int>(FloorMod(DayNumber(t) + 6, 7)) + 1;
}

std::int64_t DayNumber(DateTime t) { return FloorDiv(t.ms, kMsPerDay); }
DateTime DatePart(DateTime t) { return DateTime{DayNumber(t) * kMsPerDay}; }
double SecondsSinceMidnight(DateTime t) { return static_cast<double>(TimeOfDayMs(t)) / 1000.0; }

double ToOleDate(DateTime t) {
  const auto days = static_cast<double>(DayNumber(t));
  const double frac = static_cast<double>(TimeOfDayMs(t)) / static_cast<double>(kMsPerDay);
  // Before the epoch the fraction still counts forward from midnight:
  // -1.25 is 1899-12-29 06:00.
  return days < 0 ? days - frac : days + frac;
}

DateTime FromOleDate(double d) {
  if (std::isnan(d)) return DateTime{};
  d = std::clamp(d, -1e9, 1e9);
  const double whole = std::trunc(d);
  const double frac = std::fabs(d - whole);
  return DateTime{static_cast<std::int64_t>(whole) * kMsPerDay +
                  std::llround(frac * static_cast<double>(kMsPerDay))};
}

std::string CStrDate(DateTime t) {
  const std::int64_t days = DayNumber(t);
  const bool midnight = TimeOfDayMs(t) < 1000;  // shown to the second
  if (days == 0) return LongTime(t);
  if (midnight) return ShortDate(t);
  return ShortDate(t) + " " + LongTime(t);
}

namespace {

enum class Code {
  Literal, Year4, Year2, DayOfYear, Month, Month2, MonthAbbr, MonthName, Day, Day2, DayAbbr,
  DayName, ShortDate, LongDate, Hour, Hour2, Minute, Minute2, Second, Second2, AmPm, AP,
  Weekday, Week, Quarter, Time, General
};

struct Token {
  Code code;
  std::string text;  // literal text, or "A"/"a" for the case of AM/PM
};

char Low(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool StartsNoCase(std::string_view s, std::size_t i, std::string_view what) {
  if (s.size() - i < what.size()) return false;
  for (std::size_t k = 0; k < what.size(); ++k) {
    if (Low(s[i + k]) != what[k]) return false;
  }
  return true;
}

std::vector<Token> Tokenize(std::string_view p) {
  std::vector<Token> out;
  bool seen_hour = false, wrote_minute = false;
  auto literal = [&](std::string_view text) {
    if (!out.empty() && out.back().code == Code::Literal) {
      out.back().text += text;
    } else {
      out.push_back({Code::Literal, std::string(text)});
    }
  };
  std::size_t i = 0;
  while (i < p.size()) {
    const char c = p[i];
    const char l = Low(c);
    if (c == '"') {
      const auto end = p.find('"', i + 1);
      const auto stop = end == std::string_view::npos ? p.size() : end;
      literal(p.substr(i + 1, stop - i - 1));
      i = stop + 1;
      continue;
    }
    if (c == '\\') {
      if (i + 1 < p.size()) literal(p.substr(i + 1, 1));
      i += 2;
      continue;
    }
    if (StartsNoCase(p, i, "am/pm")) {
      out.push_back({Code::AmPm, std::string(1, c)});
      i += 5;
      continue;
    }
    if (StartsNoCase(p, i, "ampm")) {
      out.push_back({Code::AmPm, "A"});
      i += 4;
      continue;
    }
    if (StartsNoCase(p, i, "a/p")) {
      out.push_back({Code::AP, std::string(1, c)});
      i += 3;
      continue;
    }
    std::size_t run = 1;
    while (run < 6 && i + run < p.size() && Low(p[i + run]) == l) ++run;  // no code is longer
    auto take = [&](std::size_t n) { i += std::min(run, n); return std::min(run, n); };
    switch (l) {
      case 'y': {
        const auto n = take(4);
        out.push_back({n == 4 ? Code::Year4 : n >= 2 ? Code::Year2 : Code::DayOfYear, {}});
        if (n == 3) out.push_back({Code::DayOfYear, {}});
        break;
      }
      case 'm': {
        const auto n = take(4);
        if (n <= 2 && seen_hour && !wrote_minute) {
          out.push_back({n == 1 ? Code::Minute : Code::Minute2, {}});
          wrote_minute = true;
        } else {
          static constexpr std::array<Code, 4> kMonth{Code::Month, Code::Month2, Code::MonthAbbr,
                                                      Code::MonthName};
          out.push_back({kMonth[n - 1], {}});
        }
        break;
      }
      case 'd': {
        static constexpr std::array<Code, 6> kDay{Code::Day,     Code::Day2,      Code::DayAbbr,
                                                  Code::DayName, Code::ShortDate, Code::LongDate};
        out.push_back({kDay[take(6) - 1], {}});
        break;
      }
      case 'h':
        out.push_back({take(2) == 1 ? Code::Hour : Code::Hour2, {}});
        seen_hour = true;
        break;
      case 'n':
        out.push_back({take(2) == 1 ? Code::Minute : Code::Minute2, {}});
        wrote_minute = true;
        break;
      case 's':
        out.push_back({take(2) == 1 ? Code::Second : Code::Second2, {}});
        break;
      case 'w':
        out.push_back({take(2) == 1 ? Code::Weekday : Code::Week, {}});
        break;
      case 'q':
        take(1);
        out.push_back({Code::Quarter, {}});
        break;
      case 'c':
        take(1);
        out.push_back({Code::General, {}});
        break;
      case 't':
        if (run >= 5) {
          take(5);
          out.push_back({Code::Time, {}});
        } else {
          literal(p.substr(i, run));
          i += run;
        }
        break;
      default:
        literal(p.substr(i, 1));
        ++i;
        break;
    }
  }
  return out;
}

}  // namespace

std::string FormatDate(DateTime t, std::string_view picture) {
  const auto tokens = Tokenize(picture);
  const bool twelve = std::any_of(tokens.begin(), tokens.end(), [](const Token& k) {
    return k.code == Code::AmPm || k.code == Code::AP;
  });
  const Civil c = CivilOf(t);
  const int hour = Hour(t);
  const int shown_hour = twelve ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
  const std::int64_t day_of_year = DayNumber(t) - (DaysFromCivil(c.year, 1, 1) + kEpochOffsetDays) + 1;
  std::string out;
  for (const Token& k : tokens) {
    switch (k.code) {
      case Code::Literal: out += k.text; break;
      case Code::Year4: out += Num(c.year, 4); break;
      case Code::Year2: out += Num(FloorMod(c.year, 100), 2); break;
      case Code::DayOfYear: out += std::to_string(day_of_year); break;
      case Code::Month: out += std::to_string(c.month); break;
      case Code::Month2: out += Num(c.month, 2); break;
      case Code::MonthAbbr: out += std::string(kMonthNames[static_cast<std::size_t>(c.month - 1)]).substr(0, 3); break;
      case Code::MonthName: out += kMonthNames[static_cast<std::size_t>(c.month - 1)]; break;
      case Code::Day: out += std::to_string(c.day); break;
      case Code::Day2: out += Num(c.day, 2); break;
      case Code::DayAbbr: out += std::string(kDayNames[static_cast<std::size_t>(Weekday(t) - 1)]).substr(0, 3); break;
      case Code::DayName: out += kDayNames[static_cast<std::size_t>(Weekday(t) - 1)]; break;
      case Code::ShortDate: out += ShortDate(t); break;
      case Code::LongDate:
        out += std::string(kDayNames[static_cast<std::size_t>(Weekday(t) - 1)]) + ", " +
               kMonthNames[static_cast<std::size_t>(c.month - 1)] + " " + std::to_string(c.day) +
               ", " + Num(c.year, 4);
        break;
      case Code::Hour: out += std::to_string(shown_hour); break;
      case Code::Hour2: out += Num(shown_hour, 2); break;
      case Code::Minute: out += std::to_string(Minute(t)); break;
      case Code::Minute2: out += Num(Minute(t), 2); break;
      case Code::Second: out += std::to_string(Second(t)); break;
      case Code::Second2: out += Num(Second(t), 2); break;
      case Code::AmPm: {
        const bool upper = k.text == "A" || k.text == "P";
        out += hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
        break;
      }
      case Code::AP: {
        const bool upper = k.text == "A" || k.text == "P";
        out += hour < 12 ? (upper ? "A" : "a") : (upper ? "P" : "p");
        break;
      }
      case Code::Weekday: out += std::to_string(Weekday(t)); break;
      case Code::Week: {
        // Week 1 holds 1 January; weeks start on Sunday.
        const DateTime jan1{(DaysFromCivil(c.year, 1, 1) + kEpochOffsetDays) * kMsPerDay};
        out += std::to_string((day_of_year - 1 + Weekday(jan1) - 1) / 7 + 1);
        break;
      }
      case Code::Quarter: out += std::to_string((c.month - 1) / 3 + 1); break;
      case Code::Time: out += LongTime(t); break;
      case Code::General: out += CStrDate(t); break;
    }
  }
  return out;
}

std::optional<DateTime> DateValueMDY(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::size_t i = 0;
  auto number = [&](std::size_t max_digits, std::size_t* count) -> int {
    int v = 0;
    std::size_t n = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && n < max_digits) {
      v = v * 10 + (text[i] - '0');
      ++i;
      ++n;
    }
    *count = n;
    return v;
  };
  std::size_t n = 0;
  const int month = number(2, &n);
  if (n == 0 || i >= text.size() || (text[i] != '/' && text[i] != '-')) return std::nullopt;
  const char sep = text[i++];
  const int day = number(2, &n);
  if (n == 0 || i >= text.size() || text[i] != sep) return std::nullopt;
  ++i;
  int year = number(4, &n);
  if (i != text.size() || (n != 1 && n != 2 && n != 4)) return std::nullopt;
  if (n <= 2) year = WindowYear(year);
  if (year < 100) return std::nullopt;  // outside the original's date range
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return MakeDateTime(year, month, day);
}

}  // namespace vb
