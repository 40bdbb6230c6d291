#include "link/v4_status_packet.h"

#include <cstddef>
#include <optional>

#include "common/vb.h"

namespace lnk {
namespace {

// The unsigned big-endian value of width bytes at pos; nothing when the
// field does not lie wholly inside the buffer.
std::optional<std::uint64_t> ReadField(std::string_view buf, long pos, int width) {
  if (pos < 1 || static_cast<std::size_t>(pos - 1) + static_cast<std::size_t>(width) > buf.size()) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (int k = 0; k < width; ++k) {
    value = (value << 8) | static_cast<std::uint8_t>(buf[static_cast<std::size_t>(pos - 1 + k)]);
  }
  return value;
}

// " " and the number with its sign blank, as every field of the lines.
std::string FieldText(std::int64_t value) { return " " + vb::Str(static_cast<double>(value)); }

std::string SignedFieldText(std::string_view buf, long pos, int width) {
  const auto raw = ReadField(buf, pos, width);
  if (!raw) return "";
  const auto span = static_cast<std::int64_t>(std::uint64_t{1} << (8 * width));
  const auto value = static_cast<std::int64_t>(*raw);
  return FieldText(value >= span / 2 ? value - span : value);
}

// Position of the status block: after the two length bytes and L parameters.
long StatusBlockStart(std::string_view buf) {
  return static_cast<long>(ReadField(buf, 1, 2).value_or(0)) + 3;
}

// Start of the V fields inside the status block.
long VFieldsStart(long status_block, std::int32_t firmware) {
  return status_block + (firmware == kSocLayoutFirmware ? 25 : 21);
}

}  // namespace

std::string PacketByteText(std::string_view packet_buf, long pos) {
  const auto value = ReadField(packet_buf, pos, 1);
  return value ? vb::Format(static_cast<double>(*value), " 00") : "";
}

std::string PacketInt16Text(std::string_view packet_buf, long pos) {
  return SignedFieldText(packet_buf, pos, 2);
}

std::string PacketInt24Text(std::string_view packet_buf, long pos) {
  return SignedFieldText(packet_buf, pos, 3);
}

std::string PacketU40Text(std::string_view packet_buf, long pos) {
  const auto value = ReadField(packet_buf, pos, 5);
  return value ? FieldText(static_cast<std::int64_t>(*value)) : "";
}

std::string BuildV4StatusULine(std::string_view packet_buf, std::int32_t firmware) {
  const long p = StatusBlockStart(packet_buf);
  const auto byte = [&](long offset) { return PacketByteText(packet_buf, p + offset); };
  const auto int16 = [&](long offset) { return PacketInt16Text(packet_buf, p + offset); };
  const auto int24 = [&](long offset) { return PacketInt24Text(packet_buf, p + offset); };

  // Date, the unshown byte, time, weekday, battery voltage: the order of the
  // text reply, not of the block.
  std::string line = "U ";
  line += byte(0) + byte(1) + byte(2) + byte(7) + byte(4) + byte(5) + byte(6) + byte(3) + int16(8);
  if (firmware == kSocLayoutFirmware) {
    line += int24(10) + int24(13) + int16(18) + int16(20) + byte(22) + byte(23) + byte(24) +
            int16(16);
  } else {
    line += int16(10) + int16(12) + int16(14) + int16(16) + byte(18) + byte(19) + byte(20);
  }
  return line;
}

std::string BuildV4StatusVLine(std::string_view packet_buf, std::int32_t firmware) {
  const long q = VFieldsStart(StatusBlockStart(packet_buf), firmware);
  return "V " + PacketInt16Text(packet_buf, q) + PacketInt16Text(packet_buf, q + 2) +
         PacketByteText(packet_buf, q + 4) + " 0 0 " + PacketU40Text(packet_buf, q + 5) +
         PacketU40Text(packet_buf, q + 10) + PacketU40Text(packet_buf, q + 15);
}

}  // namespace lnk
