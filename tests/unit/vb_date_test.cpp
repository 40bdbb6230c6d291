// Dates of vb_date.h: calendar arithmetic, roll-over, and the original's text forms.
#include <gtest/gtest.h>

#include "common/vb_date.h"

namespace {

using vb::DateTime;
using vb::MakeDateTime;

TEST(VbDate, EpochAndOleDates) {
  EXPECT_EQ(MakeDateTime(1899, 12, 30).ms, 0);
  EXPECT_EQ(vb::DayNumber(MakeDateTime(1970, 1, 1)), 25569);
  EXPECT_EQ(vb::DayNumber(MakeDateTime(2000, 1, 1)), 36526);
  EXPECT_DOUBLE_EQ(vb::ToOleDate(MakeDateTime(2000, 1, 1, 18)), 36526.75);
  EXPECT_EQ(vb::FromOleDate(36526.75), MakeDateTime(2000, 1, 1, 18));
  // Before the epoch the fraction still counts forward from midnight.
  EXPECT_EQ(vb::FromOleDate(-1.25), MakeDateTime(1899, 12, 29, 6));
  EXPECT_DOUBLE_EQ(vb::ToOleDate(MakeDateTime(1899, 12, 29, 6)), -1.25);
  EXPECT_EQ(vb::FromOleDate(1.0 / 3.0), MakeDateTime(1899, 12, 30, 8));
}

TEST(VbDate, LeapYears) {
  EXPECT_EQ(vb::Day(MakeDateTime(2024, 2, 29)), 29);
  EXPECT_EQ(vb::Month(MakeDateTime(2023, 2, 29)), 3);  // rolls to 1 March
  EXPECT_EQ(vb::Day(MakeDateTime(2000, 2, 29)), 29);   // divisible by 400
  EXPECT_EQ(vb::Month(MakeDateTime(1900, 2, 29)), 3);  // 1900 is no leap year
  EXPECT_EQ(vb::Month(MakeDateTime(2100, 2, 29)), 3);
  EXPECT_TRUE(vb::DateValueMDY("2/29/2024"));
  EXPECT_FALSE(vb::DateValueMDY("2/29/2023"));
  EXPECT_FALSE(vb::DateValueMDY("2/29/1900"));
  EXPECT_FALSE(vb::DateValueMDY("2/30/2024"));
}

TEST(VbDate, DateSerialRollsOver) {
  EXPECT_EQ(vb::DateSerial(2026, 13, 1), MakeDateTime(2027, 1, 1));
  EXPECT_EQ(vb::DateSerial(2026, 0, 1), MakeDateTime(2025, 12, 1));
  EXPECT_EQ(vb::DateSerial(2026, -11, 1), MakeDateTime(2025, 1, 1));
  EXPECT_EQ(vb::DateSerial(2026, 3, 0), MakeDateTime(2026, 2, 28));
  EXPECT_EQ(vb::DateSerial(2024, 3, 0), MakeDateTime(2024, 2, 29));
  EXPECT_EQ(vb::DateSerial(2026, 1, 32), MakeDateTime(2026, 2, 1));
  EXPECT_EQ(vb::DateSerial(2026, 12, 32), MakeDateTime(2027, 1, 1));
  EXPECT_EQ(vb::DateSerial(2026, 1, -30), MakeDateTime(2025, 12, 1));
  EXPECT_EQ(vb::DateSerial(29, 1, 1), MakeDateTime(2029, 1, 1));  // two-digit years
  EXPECT_EQ(vb::DateSerial(30, 1, 1), MakeDateTime(1930, 1, 1));
  EXPECT_EQ(MakeDateTime(2026, 12, 31, 23, 59, 60), MakeDateTime(2027, 1, 1));
  EXPECT_EQ(MakeDateTime(2026, 1, 1, 25), MakeDateTime(2026, 1, 2, 1));
  EXPECT_EQ(MakeDateTime(2026, 1, 1, 0, 0, 0, -1), MakeDateTime(2025, 12, 31, 23, 59, 59, 999));
}

TEST(VbDate, Weekday) {
  EXPECT_EQ(vb::Weekday(MakeDateTime(1899, 12, 30)), 7);  // Saturday
  EXPECT_EQ(vb::Weekday(MakeDateTime(1899, 12, 31)), 1);  // Sunday
  EXPECT_EQ(vb::Weekday(MakeDateTime(2026, 12, 6, 23, 59)), 1);
  EXPECT_EQ(vb::Weekday(MakeDateTime(2000, 1, 1)), 7);
  EXPECT_EQ(vb::Weekday(MakeDateTime(2024, 2, 29)), 5);  // Thursday
  EXPECT_EQ(vb::Weekday(MakeDateTime(1899, 12, 29, 12)), 6);  // Friday, before the epoch
  EXPECT_EQ(vb::Weekday(MakeDateTime(1800, 1, 1)), 4);        // Wednesday
}

TEST(VbDate, MidnightBoundaries) {
  const DateTime midnight = MakeDateTime(2026, 12, 7);
  const DateTime before = midnight + (-1);
  EXPECT_EQ(vb::Day(before), 6);
  EXPECT_EQ(vb::Hour(before), 23);
  EXPECT_EQ(vb::Minute(before), 59);
  EXPECT_EQ(vb::Second(before), 59);
  EXPECT_DOUBLE_EQ(vb::SecondsSinceMidnight(before), 86399.999);
  EXPECT_EQ(vb::Day(midnight), 7);
  EXPECT_EQ(vb::Hour(midnight), 0);
  EXPECT_EQ(vb::SecondsSinceMidnight(midnight), 0.0);
  EXPECT_EQ(vb::DatePart(before), MakeDateTime(2026, 12, 6));
  EXPECT_EQ(vb::DayNumber(midnight) - vb::DayNumber(before), 1);
  // Before the epoch, the date part is still the day that holds the time.
  const DateTime early = MakeDateTime(1899, 12, 29, 23, 0);
  EXPECT_EQ(vb::DayNumber(early), -1);
  EXPECT_EQ(vb::Hour(early), 23);
  EXPECT_EQ(vb::Day(early), 29);
  // Year end.
  const DateTime new_year = MakeDateTime(2027, 1, 1);
  EXPECT_EQ(vb::Year(new_year + (-1)), 2026);
  EXPECT_EQ(vb::Year(new_year), 2027);
}

TEST(VbDate, CStrDateUsForm) {
  EXPECT_EQ(vb::CStrDate(MakeDateTime(2026, 12, 6, 21, 4, 32)), "12/6/2026 9:04:32 PM");
  EXPECT_EQ(vb::CStrDate(MakeDateTime(2026, 1, 2, 0, 5, 0)), "1/2/2026 12:05:00 AM");
  EXPECT_EQ(vb::CStrDate(MakeDateTime(2026, 1, 2, 12, 0, 1)), "1/2/2026 12:00:01 PM");
  EXPECT_EQ(vb::CStrDate(MakeDateTime(2026, 1, 2)), "1/2/2026");
  EXPECT_EQ(vb::CStrDate(MakeDateTime(1899, 12, 30, 13, 30)), "1:30:00 PM");
  EXPECT_EQ(vb::CStrDate(DateTime{}), "12:00:00 AM");
  EXPECT_EQ(vb::CStrDate(MakeDateTime(2026, 1, 2, 8, 0, 0, 999)), "1/2/2026 8:00:00 AM");
}

TEST(VbDate, FormatDateCodes) {
  const DateTime t = MakeDateTime(2026, 3, 7, 14, 5, 9);
  EXPECT_EQ(vb::FormatDate(t, "mm/dd/yy"), "03/07/26");
  EXPECT_EQ(vb::FormatDate(t, "m/d/yyyy"), "3/7/2026");
  EXPECT_EQ(vb::FormatDate(t, "hh:nn:ss"), "14:05:09");
  EXPECT_EQ(vb::FormatDate(t, "hh:mm:ss"), "14:05:09");  // mm after hh: minutes
  EXPECT_EQ(vb::FormatDate(t, "h:mm AM/PM"), "2:05 PM");
  EXPECT_EQ(vb::FormatDate(t, "hh:mm am/pm"), "02:05 pm");
  EXPECT_EQ(vb::FormatDate(t, "yyyy-mm-dd hh:mm"), "2026-03-07 14:05");
  EXPECT_EQ(vb::FormatDate(t, "hh:mm dd/mm"), "14:05 07/03");  // only the first mm is minutes
  EXPECT_EQ(vb::FormatDate(t, "dddd d mmmm yyyy"), "Saturday 7 March 2026");
  EXPECT_EQ(vb::FormatDate(MakeDateTime(2026, 3, 7), "h:nn AM/PM"), "12:00 AM");
  EXPECT_EQ(vb::FormatDate(MakeDateTime(2026, 3, 7, 12), "h A/P"), "12 P");
  EXPECT_EQ(vb::FormatDate(t, "\\d\"ate\" d"), "date 7");
}

TEST(VbDate, DateValueMDY) {
  EXPECT_EQ(vb::DateValueMDY("12/6/2026"), MakeDateTime(2026, 12, 6));
  EXPECT_EQ(vb::DateValueMDY(" 01/02/2026 "), MakeDateTime(2026, 1, 2));
  EXPECT_EQ(vb::DateValueMDY("1/2/29"), MakeDateTime(2029, 1, 2));
  EXPECT_EQ(vb::DateValueMDY("1/2/30"), MakeDateTime(1930, 1, 2));
  EXPECT_EQ(vb::DateValueMDY("1/2/00"), MakeDateTime(2000, 1, 2));
  EXPECT_EQ(vb::DateValueMDY("1/2/99"), MakeDateTime(1999, 1, 2));
  EXPECT_FALSE(vb::DateValueMDY("2/30/2026"));
  EXPECT_FALSE(vb::DateValueMDY("13/1/2026"));
  EXPECT_FALSE(vb::DateValueMDY("0/1/2026"));
  EXPECT_FALSE(vb::DateValueMDY("1/0/2026"));
  EXPECT_FALSE(vb::DateValueMDY(""));
  EXPECT_FALSE(vb::DateValueMDY("garbage"));
  EXPECT_FALSE(vb::DateValueMDY("1/2"));
  EXPECT_FALSE(vb::DateValueMDY("1/2/2026x"));
  EXPECT_FALSE(vb::DateValueMDY("1/2/202"));
  EXPECT_FALSE(vb::DateValueMDY("1//2026"));
  EXPECT_FALSE(vb::DateValueMDY("123/1/2026"));
}

}  // namespace
