#include "unit/clock_packet.h"

#include "common/vb.h"

namespace unit {

namespace {

std::string Byte(int value) { return vb::Chr(value & 0xFF); }

std::string Packet(int year, int month, int day, int weekday, int hour, int minute, int second) {
  return "T" + Byte(year) + Byte(month) + Byte(day) + Byte(weekday) + Byte(hour) + Byte(minute) +
         Byte(second);
}

}  // namespace

std::string ClockPacketFromComputer(vb::DateTime now) {
  // Weekday gives 1 for Sunday ... 7 for Saturday.
  const int monday_first = (vb::Weekday(now) + 5) % 7 + 1;
  return Packet(vb::Year(now) - 2000, vb::Month(now), vb::Day(now), monday_first, vb::Hour(now),
                vb::Minute(now), vb::Second(now));
}

std::string ClockPacketFromFields(const ClockFields& f) {
  return Packet(f[0], f[1], f[2], f[6], f[3], f[4], f[5]);
}

}  // namespace unit
