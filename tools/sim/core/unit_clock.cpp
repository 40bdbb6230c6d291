#include "unit_clock.h"

namespace sim {

namespace {

int CalendarWeekday(vb::DateTime t) { return vb::Weekday(t) - 1; }  // 0 = Sunday

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

UnitClock::UnitClock(const Scheduler& scheduler, ClockTime start) : scheduler_(scheduler) {
  const vb::DateTime t =
      vb::MakeDateTime(start.year, start.month, start.day, start.hour, start.minute, start.second);
  Restart(t, CalendarWeekday(t));
}

ClockReading UnitClock::Now() const {
  const vb::DateTime t = base_ + (scheduler_.NowMs() - base_ms_);
  return ClockReading{vb::Year(t),   vb::Month(t),  vb::Day(t), vb::Hour(t),
                      vb::Minute(t), vb::Second(t), ((CalendarWeekday(t) + weekday_shift_) % 7 + 7) % 7};
}

void UnitClock::Restart(vb::DateTime at, int weekday) {
  base_ = at;
  base_ms_ = scheduler_.NowMs();
  weekday_shift_ = weekday - CalendarWeekday(at);
}

bool UnitClock::SetField(char field, int value) {
  ClockReading r = Now();
  switch (field) {
    case 'Y': if (!InRange(value, 0, 99)) return false; r.year = 2000 + value; break;
    case 'M': if (!InRange(value, 1, 12)) return false; r.month = value; break;
    case 'D': if (!InRange(value, 1, 31)) return false; r.day = value; break;
    case 'h': if (!InRange(value, 0, 23)) return false; r.hour = value; break;
    case 'm': if (!InRange(value, 0, 59)) return false; r.minute = value; break;
    case 's': if (!InRange(value, 0, 59)) return false; r.second = value; break;
    case 'd': if (!InRange(value, 0, 6)) return false; r.weekday = value; break;
    default: return false;
  }
  Restart(vb::MakeDateTime(r.year, r.month, r.day, r.hour, r.minute, r.second), r.weekday);
  return true;
}

bool UnitClock::SetAll(int year, int month, int day, int weekday, int hour, int minute,
                       int second) {
  if (!InRange(year, 0, 99) || !InRange(month, 1, 12) || !InRange(day, 1, 31) ||
      !InRange(weekday, 0, 7) || !InRange(hour, 0, 23) || !InRange(minute, 0, 59) ||
      !InRange(second, 0, 59))
    return false;
  Restart(vb::MakeDateTime(2000 + year, month, day, hour, minute, second), weekday % 7);
  return true;
}

}  // namespace sim
