#include "app/status_file.h"

#include <algorithm>
#include <vector>

#include "common/vb.h"
#include "link/reply_tokens.h"
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
