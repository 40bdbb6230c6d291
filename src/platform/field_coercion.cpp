#include "platform/field_coercion.h"

#include <cctype>
#include <cmath>

#include "common/vb.h"

namespace platform {
namespace {

bool Contains(const std::string& upper, std::string_view part) {
  return upper.find(part) != std::string::npos;
}

bool IsDigitOfBase(char c, int base) {
  if (base == 16) return std::isxdigit(static_cast<unsigned char>(c)) != 0;
  return c >= '0' && c <= '7';
}

// Digits of a &H / &O number after its prefix.
bool IsRadixNumber(std::string_view t) {
  if (t.size() < 3 || t[0] != '&') return false;
  const char prefix = static_cast<char>(std::toupper(static_cast<unsigned char>(t[1])));
  if (prefix != 'H' && prefix != 'O') return false;
  for (std::size_t i = 2; i < t.size(); ++i) {
    if (!IsDigitOfBase(t[i], prefix == 'H' ? 16 : 8)) return false;
  }
  return true;
}

bool IsDecimalNumber(std::string_view t) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    return i - start;
  };
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t mantissa = digits();
  if (i < t.size() && t[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == t.size();
}

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

Coercion Refuse(std::string error) { return {Variant(), std::move(error)}; }

// The value as a number for a number column, or the reason it is none.
Coercion AsNumber(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Boolean:
    case Variant::Type::Long:
    case Variant::Type::Double:
      return {Variant(value.ToDouble()), ""};
    case Variant::Type::Text:
      if (const auto number = StrictNumberFromText(value.ToText())) return {Variant(*number), ""};
      return Refuse("the text \"" + value.ToText() + "\" is not a number");
    case Variant::Type::Null:
      break;
  }
  return {Variant(), ""};
}

Coercion ToWholeNumber(const Variant& value, ColumnKind kind) {
  if (value.type() == Variant::Type::Long && kind == ColumnKind::Long) return {value, ""};
  Coercion number = AsNumber(value);
  if (!number.ok()) return number;
  const double v = number.value.ToDouble();
  if (kind == ColumnKind::Integer) {
    if (const auto whole = vb::TryCInt(v)) return {Variant(*whole), ""};
  } else if (const auto whole = vb::TryCLng(v)) {
    return {Variant(*whole), ""};
  }
  return Refuse("the value " + vb::CStr(v) + " is out of range");
}

Coercion ToYesNo(const Variant& value) {
  if (value.type() == Variant::Type::Text) {
    const std::string word = vb::UCase(vb::Trim(value.ToText()));
    if (word == "TRUE") return {Variant(true), ""};
    if (word == "FALSE") return {Variant(false), ""};
    if (!StrictNumberFromText(word)) {
      return Refuse("the text \"" + value.ToText() + "\" is not a Yes/No value");
    }
  }
  return {Variant(value.ToBool()), ""};
}

}  // namespace

ColumnKind ColumnKindFromDeclaredType(std::string_view declared_type) {
  const std::string upper = vb::UCase(declared_type);
  if (Contains(upper, "BOOL") || Contains(upper, "YESNO")) return ColumnKind::Boolean;
  if (Contains(upper, "SMALLINT")) return ColumnKind::Integer;
  if (Contains(upper, "INT")) return ColumnKind::Long;
  if (Contains(upper, "CHAR") || Contains(upper, "TEXT") || Contains(upper, "CLOB")) {
    return ColumnKind::Text;
  }
  if (Contains(upper, "REAL") || Contains(upper, "DOUB") || Contains(upper, "FLOA")) {
    return ColumnKind::Double;
  }
  return ColumnKind::Any;
}

Coercion CoerceForColumn(const Variant& value, ColumnKind kind, bool nullable) {
  if (value.IsNull()) {
    if (nullable) return {Variant(), ""};
    return Refuse("it cannot be Null");
  }
  switch (kind) {
    case ColumnKind::Any:
      return {value, ""};
    case ColumnKind::Text:
      return {Variant(value.ToText()), ""};
    case ColumnKind::Boolean:
      return ToYesNo(value);
    case ColumnKind::Integer:
    case ColumnKind::Long:
      return ToWholeNumber(value, kind);
    case ColumnKind::Double: {
      Coercion number = AsNumber(value);
      if (number.ok() && !std::isfinite(number.value.ToDouble())) {
        return Refuse("the value is not a finite number");
      }
      return number;
    }
  }
  return {value, ""};
}

std::optional<double> StrictNumberFromText(std::string_view text) {
  const std::string_view t = TrimBlanks(text);
  if (!IsRadixNumber(t) && !IsDecimalNumber(t)) return std::nullopt;
  return vb::Val(t);
}

}  // namespace platform
