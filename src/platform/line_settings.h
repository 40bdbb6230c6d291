// The line settings text of a serial port, "9600,n,8,1": baud, parity
// n/e/o/m/s, data bits 5 to 8, stop bits 1, 1.5 or 2. Read here without
// the port library, so that it can be checked on any text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct LineSettings {
  int baud = 9600;
  char parity = 'n';    // 'n', 'e', 'o', 'm' or 's'
  int data_bits = 8;    // 5 to 8
  int stop_tenths = 10; // 10, 15 or 20
  friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Nothing when the text is not a valid setting. Blanks around each part are
// ignored and the parity may be a capital.
std::optional<LineSettings> ParseLineSettings(std::string_view text);
// The text that reads back as these settings ("9600,n,8,1").
std::string LineSettingsText(const LineSettings& settings);

}  // namespace platform
