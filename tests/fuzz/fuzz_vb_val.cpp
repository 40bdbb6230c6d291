// Fuzzes the text-to-number and number-to-text conversions of vb.h / vb_date.h.
// The input is split at the first '|': before it a number text, after it a
// Format picture.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/vb.h"
#include "common/vb_date.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto bar = input.find('|');
  const std::string_view text = input.substr(0, bar);
  const std::string_view picture =
      bar == std::string_view::npos ? std::string_view("0.00") : input.substr(bar + 1);

  const double v = vb::Val(text);
  (void)vb::IsNumeric(text);
  (void)vb::Format(v, picture);
  (void)vb::Format(v, text);
  (void)vb::Str(v);
  (void)vb::CStrSingle(vb::CSng(v));
  (void)vb::CInt(v);
  (void)vb::TryCLng(v);
  if (const auto date = vb::DateValueMDY(text)) {
    (void)vb::CStrDate(*date);
    (void)vb::FormatDate(*date, picture);
  }
  (void)vb::FormatDate(vb::FromOleDate(v), picture);
  (void)vb::Mid(text, static_cast<long>(v > 1e6 || v < -1e6 ? 0 : v), 3);
  (void)vb::InStr(text, picture);
  return 0;
}
