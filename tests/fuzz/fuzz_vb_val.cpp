// Fuzzes the text-to-number and number-to-text conversions of vb.h / vb_date.h.
// The input is split at the first '|': before it a number text, after it a
// Format picture. Val never gives NaN or -0; the texts Str and CStr write read
// back with Val to the number within their 15 digits, and IsNumeric takes
// them; a whole number within a Long converts to itself.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/vb.h"
#include "common/vb_date.h"
#include "fuzz_support.h"

namespace {

using testkit::Require;

// Read back within the 15 significant digits a text keeps.
bool ReadsBack(double v, std::string_view text) {
  const double back = vb::Val(text);
  return std::fabs(back - v) <= 1e-14 * std::fabs(v) + 1e-300;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto bar = input.find('|');
  const std::string_view text = input.substr(0, bar);
  const std::string_view picture =
      bar == std::string_view::npos ? std::string_view("0.00") : input.substr(bar + 1);

  const double v = vb::Val(text);
  Require(!std::isnan(v) && !(v == 0 && std::signbit(v)));
  if (std::isfinite(v) && std::fabs(v) < 1e300) {
    Require(ReadsBack(v, vb::Str(v)) && ReadsBack(v, vb::CStr(v)));
    Require(vb::IsNumeric(vb::Str(v)) && vb::IsNumeric(vb::CStr(v)));
  }
  if (v == std::trunc(v) && std::fabs(v) <= 2147483647.0) Require(vb::TryCLng(v) == v);
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
