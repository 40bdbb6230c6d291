// A field value of the site database as the program sees it: Null, a
// Boolean, a whole number (Long, 32-bit), a Double or a text (8-bit, one char
// per byte). The conversions are those of the original language, so a value
// read from a field turns into text or a number exactly as it did there.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

namespace platform {

class Variant {
 public:
  enum class Type { Null, Boolean, Long, Double, Text };

  Variant() = default;  // Null
  Variant(bool value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(const char* text) : value_(std::string(text)) {}
  Variant(std::string text) : value_(std::move(text)) {}
  Variant(std::string_view text) : value_(std::string(text)) {}
  // Any whole number; one beyond the range of a Long is held as a Double.
  template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>)
  Variant(T value) {
    if (std::in_range<std::int32_t>(value)) {
      value_ = static_cast<std::int32_t>(value);
    } else {
      value_ = static_cast<double>(value);
    }
  }

  Type type() const { return static_cast<Type>(value_.index()); }
  bool IsNull() const { return type() == Type::Null; }
  bool IsNumber() const { return type() == Type::Long || type() == Type::Double; }

  // As CStr: "True"/"False", whole numbers without a blank, Doubles with up
  // to 15 significant digits (0.5 -> "0.5"). Null gives "", as Null joined to
  // a text does.
  std::string ToText() const;
  // The text held, when a text is held (read without a copy).
  const std::string* IfText() const { return std::get_if<std::string>(&value_); }
  // The numeric value: True is -1 as in the original; a text gives its Val
  // ("12abc" -> 12, "abc" -> 0); Null gives 0.
  double ToDouble() const;
  // ToDouble rounded half to even into a Long, saturating at its ends (CLng).
  std::int32_t ToLong() const;
  // Numbers: not 0. Texts: "True" / "False" in any case, else Val not 0.
  // Null gives False.
  bool ToBool() const;

  // Same type and same value (Long 1 and Double 1 differ).
  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  std::variant<std::monostate, bool, std::int32_t, double, std::string> value_;
};

// For test messages: Null, True, 12&, 1.5#, "text".
std::ostream& operator<<(std::ostream& out, const Variant& value);

}  // namespace platform
