// Fuzzes the port settings text: a text is taken only with a positive baud,
// a known parity, five to eight data bits and a known stop, and what is
// taken reads back the same from the text the console would write.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "platform/line_settings.h"

using testkit::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto settings = platform::ParseLineSettings(text);
  if (!settings) return 0;
  Require(settings->baud > 0);
  Require(std::string_view("neoms").find(settings->parity) != std::string_view::npos);
  Require(settings->data_bits >= 5 && settings->data_bits <= 8);
  const int stop = settings->stop_tenths;
  Require(stop == 10 || stop == 15 || stop == 20);
  std::size_t commas = 0;
  for (const char c : text) commas += c == ',' ? 1 : 0;
  Require(commas == 3);
  Require(platform::ParseLineSettings(platform::LineSettingsText(*settings)) == settings);
  return 0;
}
