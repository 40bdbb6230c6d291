// Fuzzes the readers of site rows: a SitePhone text is one of the three
// link forms by its first character and its value, and a value written into
// a column of any kind is stored as the column holds it, the same when it is
// written again, within the column's range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/vb.h"
#include "fuzz_support.h"
#include "link/reply_tokens.h"
#include "platform/field_coercion.h"
#include "sites/site_conventions.h"

using testkit::Require;

namespace {

void CheckSitePhone(const std::string& text) {
  const sites::SiteLink link = sites::ParseSitePhone(text);
  const double value = vb::Val(text);
  if (text.empty()) {
    Require(link.kind == sites::SiteLinkKind::None);
  } else if (text[0] == '~') {
    Require(link.kind == sites::SiteLinkKind::Network && link.host == text.substr(1));
  } else if (value >= 1 && value <= 16) {
    Require(link.kind == sites::SiteLinkKind::SerialPort &&
            link.serial_port == static_cast<int>(value));
  } else {
    Require(link.kind == sites::SiteLinkKind::Telephone &&
            link.dial_digits == lnk::DigitsOnly(text));
  }
}

bool Same(const platform::Variant& a, const platform::Variant& b) {
  if (a.type() != b.type()) return false;
  if (a.IsNull()) return true;
  if (a.type() == platform::Variant::Type::Text) return a.ToText() == b.ToText();
  const double x = a.ToDouble(), y = b.ToDouble();
  return x == y || (std::isnan(x) && std::isnan(y));
}

void CheckCoercion(const platform::Variant& value, bool nullable) {
  using platform::ColumnKind;
  for (const ColumnKind kind : {ColumnKind::Any, ColumnKind::Boolean, ColumnKind::Integer,
                                ColumnKind::Long, ColumnKind::Double, ColumnKind::Text}) {
    const platform::Coercion stored = platform::CoerceForColumn(value, kind, nullable);
    if (!stored.ok()) continue;
    if (stored.value.IsNull()) {
      Require(nullable);
      continue;
    }
    const platform::Coercion again = platform::CoerceForColumn(stored.value, kind, nullable);
    Require(again.ok() && Same(again.value, stored.value));
    const double v = stored.value.ToDouble();
    if (kind == ColumnKind::Integer) Require(v >= -32768 && v <= 32767 && v == std::trunc(v));
    if (kind == ColumnKind::Long)
      Require(v >= -2147483648.0 && v <= 2147483647.0 && v == std::trunc(v));
    if (kind == ColumnKind::Boolean) Require(v == 0 || v == -1);
    if (kind == ColumnKind::Text) Require(stored.value.type() == platform::Variant::Type::Text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const bool nullable = (data[0] & 1) != 0;
  CheckSitePhone(text);
  CheckCoercion(platform::Variant(text), nullable);
  CheckCoercion(platform::Variant(vb::Val(text)), nullable);
  if (size >= 9) {
    double raw = 0;
    __builtin_memcpy(&raw, data + 1, sizeof raw);
    CheckCoercion(platform::Variant(raw), nullable);
  }
  CheckCoercion(platform::Variant((data[0] & 2) != 0), nullable);
  CheckCoercion(platform::Variant(), nullable);
  return 0;
}
