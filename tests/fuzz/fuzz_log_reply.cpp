// Fuzzes the reader of the unit's "L" reply: any text is read line by line,
// a line gives a record only when a line end closes it and it holds sixteen
// whole numbers, and a record's day key, when it has one, is a calendar day
// of this year within 180 days of today, or of the year before.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/vb.h"
#include "fuzz_support.h"
#include "link/log_records.h"

using testkit::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // Today: a day of 2027 or 2028 (a leap year), from the first two bytes.
  const vb::DateTime today = vb::MakeDateTime(2027, 1, 1 + (data[0] * 256 + data[1]) % 731);
  const int this_year = vb::Year(today);
  const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);
  for (const std::string_view line : lnk::LogRecordLines(input)) {
    Require(line.find_first_of("\r\n") == std::string_view::npos);
    Require(line.data() >= input.data() && line.data() + line.size() < input.data() + input.size());
    // Only a line the unit closed: the piece after the last line end may be cut short.
    Require(line.data()[line.size()] == '\r' || line.data()[line.size()] == '\n');
    const auto record = lnk::ReadLogRecord(line);
    if (!record) continue;
    for (const std::string& value : record->values)
      Require(!value.empty() && value.find_first_not_of("-0123456789.") == std::string::npos &&
              value.find("--") == std::string::npos);
    const auto key = lnk::LogDayKey(*record, today);
    if (!key) continue;
    const int year = *key / 10000, month = *key / 100 % 100, day = *key % 100;
    const vb::DateTime d = vb::MakeDateTime(year, month, day);
    Require(vb::Month(d) == month && vb::Day(d) == day);
    Require(vb::Val(record->month) == month && vb::Val(record->day) == day);
    const auto away = std::llabs(
        vb::DayNumber(vb::MakeDateTime(this_year, month, day)) - vb::DayNumber(today));
    Require(year == this_year ? away <= 180 : year == this_year - 1 && away > 180);
  }
  return 0;
}
