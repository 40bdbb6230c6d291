#include "v4_replies.h"

#include <cmath>

namespace sim {

namespace {

// Appends the low `bytes` bytes of v, most significant first (two's
// complement for negative values).
void PutBigEndian(std::string& out, long long v, int bytes) {
  const auto u = static_cast<unsigned long long>(v);
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFFU));
}

void PutByte(std::string& out, int v) { PutBigEndian(out, v, 1); }

long long Hundredths(double v) { return std::llround(v * 100.0); }

}  // namespace

std::string StatusBlock(const ClockReading& clock, const LiveStatus& status, std::int32_t firmware,
                        int soc_centipercent) {
  std::string b;
  PutByte(b, clock.year % 100);
  PutByte(b, clock.month);
  PutByte(b, clock.day);
  PutByte(b, clock.weekday);
  PutByte(b, clock.hour);
  PutByte(b, clock.minute);
  PutByte(b, clock.second);
  PutByte(b, status.reserved_u4);
  PutBigEndian(b, status.battery_centivolts, 2);
  if (firmware == kSocLayoutFirmware) {
    PutBigEndian(b, status.pv_centiamps, 3);
    PutBigEndian(b, status.load_centiamps, 3);
    PutBigEndian(b, soc_centipercent, 2);
    PutBigEndian(b, status.battery_temp_c, 2);
    PutBigEndian(b, status.unit_temp_c, 2);
  } else {
    PutBigEndian(b, std::lround(status.pv_centiamps / 10.0), 2);
    PutBigEndian(b, std::lround(status.load_centiamps / 10.0), 2);
    PutBigEndian(b, status.battery_temp_c, 2);
    PutBigEndian(b, status.unit_temp_c, 2);
  }
  PutByte(b, status.relay_bits);
  PutByte(b, status.generator_bits);
  PutByte(b, status.reserved_u16);
  PutBigEndian(b, status.reserved_v1, 2);
  PutBigEndian(b, status.reserved_v2, 2);
  PutByte(b, status.equalize ? 1 : 0);
  PutBigEndian(b, Hundredths(status.ah_net), 5);
  PutBigEndian(b, Hundredths(status.ah_in), 5);
  PutBigEndian(b, Hundredths(status.ah_out), 5);
  return b;
}

std::string DumpPacketContent(const Memory& memory, const ClockReading& clock,
                              const LiveStatus& status, std::int32_t firmware,
                              int soc_centipercent) {
  std::string content;
  PutBigEndian(content, kV4ImageLength, 2);
  for (int a = 0; a < kV4ImageLength; ++a) content.push_back(static_cast<char>(memory[static_cast<std::size_t>(a)]));
  content += StatusBlock(clock, status, firmware, soc_centipercent);
  return content;
}

}  // namespace sim
