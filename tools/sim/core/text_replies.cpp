#include "text_replies.h"

#include <cmath>

#include "line_check.h"

namespace sim {

namespace {

std::string Num(long long v) { return std::to_string(v); }

std::string TwoDigits(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

std::string RightAligned3(int v) {
  std::string s = std::to_string(v);
  return s.size() < 3 ? std::string(3 - s.size(), ' ') + s : s;
}

long long Hundredths(double v) { return std::llround(v * 100.0); }

// Closes a status line: a blank, the check digits when it has them, the line end.
std::string Close(std::string text, LineCheck check) {
  if (check.present) {
    text += ' ';
    text += LineCheckDigits(text, check.spoilt);
  }
  return text + std::string(kLineEnd);
}

}  // namespace

std::string StatusULine(const ClockReading& clock, const LiveStatus& status,
                        std::int32_t firmware, int soc_centipercent, LineCheck check) {
  const bool soc_layout = firmware == kSocLayoutFirmware;
  auto current = [soc_layout](int centiamps) {
    return soc_layout ? Num(centiamps) : Num(std::lround(centiamps / 10.0));
  };
  std::string u = "U ";
  u += TwoDigits(clock.year % 100) + "/" + TwoDigits(clock.month) + "/" + TwoDigits(clock.day);
  u += " " + Num(status.reserved_u4);
  u += " " + TwoDigits(clock.hour) + ":" + TwoDigits(clock.minute) + ":" + TwoDigits(clock.second);
  u += " " + Num(clock.weekday);
  u += " " + Num(status.battery_centivolts);
  u += " " + current(status.pv_centiamps);
  u += " " + current(status.load_centiamps);
  u += " " + Num(status.battery_temp_c);
  u += " " + Num(status.unit_temp_c);
  u += " " + Num(status.relay_bits);
  u += " " + Num(status.generator_bits);
  u += " " + Num(status.reserved_u16);
  if (soc_layout) u += " " + Num(soc_centipercent);
  return Close(std::move(u), check);
}

std::string StatusVLine(const LiveStatus& status, LineCheck check) {
  std::string v = "V ";
  v += Num(status.reserved_v1) + " " + Num(status.reserved_v2);
  v += std::string(" ") + (status.equalize ? "1" : "0");
  v += " 0 0";
  v += " " + Num(Hundredths(status.ah_net));
  v += " " + Num(Hundredths(status.ah_in));
  v += " " + Num(Hundredths(status.ah_out));
  return Close(std::move(v), check);
}

std::string TextDump(const Memory& memory, int last_address, const std::set<int>& missing,
                     LineCheck check, int spoilt_address) {
  std::string out;
  out.reserve(static_cast<std::size_t>(last_address + 2) * 14);
  const std::string head = Num(last_address);
  out += head;
  if (check.present) out += LineCheckDigits(head);
  out += kLineEnd;
  for (int a = 0; a <= last_address; ++a) {
    if (missing.count(a) != 0) continue;
    const int value = memory[static_cast<std::size_t>(a)];
    if (check.present) {
      const std::string text = RightAligned3(a) + " " + RightAligned3(value);
      out += text;
      out += LineCheckDigits(text, check.spoilt && a == spoilt_address);
    } else {
      out += RightAligned3(a) + " " + Num(value);
    }
    out += kLineEnd;
  }
  return out;
}

std::string DayLogLines(const DayLog& log) {
  std::string out;
  for (const DayRecord& r : log) {
    out += TwoDigits(r.month) + "/" + TwoDigits(r.day);
    for (int v : {r.vbatt_max, r.vbatt_min, r.vload_max, r.vload_min, r.aload_max, r.aload_min,
                  r.tbatt_max, r.tbatt_min, r.tshel_max, r.tshel_min, r.tout_max, r.tout_min,
                  r.ah_pv, r.ah_load})
      out += " " + Num(v);
    out += kLineEnd;
  }
  return out;
}

std::string SiteLogText(std::uint16_t site, const DayLog& log) {
  return "Site log " + Num(site) + std::string(kLineEnd) + DayLogLines(log);
}

std::string AlarmReportText(std::uint16_t site, const ClockReading& clock, std::string_view flags) {
  std::string out = "Alarm Report" + std::string(kLineEnd);
  out += "Site: " + Num(site) + std::string(kLineEnd);
  out += "Date: " + Num(clock.month) + "/" + Num(clock.day) + std::string(kLineEnd);
  out += "Time: " + Num(clock.hour) + ":" + TwoDigits(clock.minute) + std::string(kLineEnd);
  out += "Alarms: " + std::string(flags) + std::string(kLineEnd);
  return out;
}

std::string Acknowledgement(std::string_view command) {
  return std::string(command) + " OK" + std::string(kLineEnd);
}

}  // namespace sim
