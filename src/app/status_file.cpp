#include "app/status_file.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/vb.h"
#include "common/whole_number.h"
#include "link/reply_tokens.h"
#include "link/status_parsers.h"
#include "link/v4_packet.h"
#include "unit/dump_loading.h"

namespace app {

namespace {

// Lines end in CR LF as written; a lone CR or LF ends one too.
std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    lines.push_back(bytes.substr(0, end));
    if (end == std::string_view::npos) break;
    const std::size_t next = bytes.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    bytes.remove_prefix(next);
  }
  return lines;
}

// Addresses 0 to 300 at most; a dump of a text unit ends at 255.
constexpr double kLastAddress = 300;

// The length field and the CRC-32 that closes the packet.
constexpr std::size_t kLengthBytes = 2;
constexpr std::size_t kCrcBytes = 4;

// The number tokens of a line as the reply parsers take them; nothing when
// one of them is no whole number ("1-2", a lone "-").
std::optional<std::vector<std::int64_t>> Numbers(std::string_view line) {
  std::string rest(line);
  std::vector<std::int64_t> numbers;
  for (std::string token = lnk::NextIntToken(rest); token != lnk::kMissingNumber;
       token = lnk::NextIntToken(rest)) {
    const auto number = common::WholeNumber(token);
    if (!number) return std::nullopt;
    numbers.push_back(*number);
  }
  return numbers;
}

// A saved dump: checked lines, or the last address and then address and
// value pairs, the addresses rising up to the last one.
bool IsDumpLine(std::string_view line) {
  std::vector<unit::DumpValue> checked;
  if (unit::ReadSavedCheckedDump(line, checked)) return !checked.empty();
  const auto numbers = Numbers(line);
  if (!numbers || numbers->size() < 3 || numbers->size() % 2 == 0) return false;
  const std::int64_t last = (*numbers)[0];
  if (last < 0 || last > kLastAddress) return false;
  std::int64_t previous = -1;
  for (std::size_t i = 1; i < numbers->size(); i += 2) {
    const std::int64_t address = (*numbers)[i];
    if (address <= previous || address > last) return false;
    previous = address;
  }
  return true;
}

// A status line: its letter first, then at least the numbers its parser
// reads, each a whole number.
bool IsStatusLine(std::string_view line, char letter, std::size_t fields) {
  const std::size_t start = line.find_first_not_of(' ');
  if (start == std::string_view::npos || line[start] != letter) return false;
  const auto numbers = Numbers(line.substr(start + 1));
  return numbers && numbers->size() >= fields;
}

}  // namespace

std::string StatusPacketRefusal(std::string_view packet) {
  if (packet.size() < kLengthBytes) return "it holds no length field";
  const std::size_t length = static_cast<unsigned char>(packet[0]) * 256u +
                             static_cast<unsigned char>(packet[1]);
  const std::size_t room = std::min(packet.size(), kStatusPacketBytes);
  if (kLengthBytes + length + kCrcBytes > room)
    return "its length field gives " + std::to_string(length) +
           " parameters, more than a packet holds";
  if (lnk::HoldsGoodPacket(packet.substr(0, room), kLengthBytes + length + kCrcBytes)) return "";
  return "its CRC-32 check fails";
}

HeldStatusFile HeldStatusFileBytes(std::string_view eeprom, std::string_view u_line,
                                   std::string_view v_line, std::string_view status_packet) {
  if (eeprom == kBinaryImage) {
    if (status_packet.size() != kStatusPacketBytes || !StatusPacketRefusal(status_packet).empty())
      return {};
    return {std::string(status_packet) + "\r\n", true};
  }
  // Read back by its first byte, a text file must begin as a dump does.
  if (eeprom.empty() || eeprom[0] != '2') return {};
  return {TextStatusFileBytes(eeprom, u_line, v_line), false};
}

StatusFileReading ReadStatusFile(std::string_view bytes) {
  StatusFileContents contents;
  if (!bytes.empty() && bytes[0] == '2') {
    const std::vector<std::string_view> lines = Lines(bytes);
    if (lines.size() < 3) return {std::nullopt, "it holds fewer than three lines"};
    // The parsers would read any text as zeros and dashes and show it as a
    // unit's status.
    if (!IsDumpLine(lines[0])) return {std::nullopt, "its first line is no parameter dump"};
    if (!IsStatusLine(lines[1], 'U', lnk::kULineNumbers))
      return {std::nullopt, "its second line is no U status line"};
    if (!IsStatusLine(lines[2], 'V', lnk::kVLineNumbers))
      return {std::nullopt, "its third line is no V status line"};
    contents.text = true;
    contents.eeprom = lines[0];
    contents.u_line = lines[1];
    contents.v_line = lines[2];
    return {contents, ""};
  }
  if (bytes.size() < kStatusPacketBytes) return {std::nullopt, "it is shorter than 350 bytes"};
  contents.packet = bytes.substr(0, kStatusPacketBytes);
  if (std::string refusal = StatusPacketRefusal(contents.packet); !refusal.empty())
    return {std::nullopt, refusal};
  return {contents, ""};
}

std::string TextStatusFileBytes(std::string_view eeprom, std::string_view u_line,
                                std::string_view v_line) {
  std::string out;
  for (std::string_view line : {eeprom, u_line, v_line}) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::optional<std::string> ReadBulkImage(std::string_view bytes) {
  if (bytes.size() < kBulkImageBytes) return std::nullopt;
  return std::string(bytes.substr(0, kBulkImageBytes));
}

std::string FactoryInitBytes(std::string dump_text) {
  std::vector<unit::DumpValue> checked;
  if (unit::ReadSavedCheckedDump(dump_text, checked)) {
    // By the addresses of the lines that pass their check, up to the first
    // one missing: check digits are never written as values.
    const double last_checked = vb::Val(dump_text.substr(0, 3));
    std::string bytes;
    for (const auto& [address, value] : checked) {
      if (address != static_cast<int>(bytes.size()) || address > last_checked) break;
      bytes += static_cast<char>(static_cast<unsigned char>(value));
    }
    return bytes;
  }
  const double last = vb::Val(lnk::NextIntToken(dump_text));
  std::string bytes;
  for (double a = 0; a <= last && a <= kLastAddress; ++a) {
    const std::string label = lnk::NextIntToken(dump_text);
    const std::string value = lnk::NextIntToken(dump_text);
    if (label == lnk::kMissingNumber || value == lnk::kMissingNumber) break;
    const double v = vb::Val(value);
    if (v < 0 || v > 255) break;
    bytes += static_cast<char>(static_cast<unsigned char>(v));
  }
  return bytes;
}

}  // namespace app
