#include "platform/line_settings.h"

#include <limits>
#include <vector>

#include "common/whole_number.h"

namespace platform {

namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// A whole number (common::WholeNumber) that fits an int.
std::optional<int> WholeInt(std::string_view s) {
  const auto n = common::WholeNumber(s);
  if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(*n);
}

}  // namespace

std::optional<LineSettings> ParseLineSettings(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(Trim(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (parts.size() != 4) return std::nullopt;
  LineSettings out;
  const auto baud = WholeInt(parts[0]);
  if (!baud || *baud <= 0) return std::nullopt;
  out.baud = *baud;

  if (parts[1].size() != 1) return std::nullopt;
  const char parity = static_cast<char>(parts[1][0] | 0x20);
  if (std::string_view("neoms").find(parity) == std::string_view::npos)
    return std::nullopt;
  out.parity = parity;

  const auto data_bits = WholeInt(parts[2]);
  if (!data_bits || *data_bits < 5 || *data_bits > 8) return std::nullopt;
  out.data_bits = *data_bits;

  if (parts[3] == "1") out.stop_tenths = 10;
  else if (parts[3] == "1.5") out.stop_tenths = 15;
  else if (parts[3] == "2") out.stop_tenths = 20;
  else return std::nullopt;
  return out;
}

std::string LineSettingsText(const LineSettings& s) {
  const char* stop = s.stop_tenths == 15 ? "1.5" : s.stop_tenths == 20 ? "2" : "1";
  return std::to_string(s.baud) + "," + s.parity + "," + std::to_string(s.data_bits) + "," + stop;
}

}  // namespace platform
