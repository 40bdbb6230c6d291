// What a value becomes when it is written into a column of the site
// database: the conversions the original engine made on assignment (a number
// written into a text column is stored as its decimal text, a text written
// into a number column is converted, or refused when it is no number).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/variant.h"

namespace platform {

// The column types the site tables use, told apart by the declared type of
// the column: BOOLEAN (Yes/No), SMALLINT (16-bit), INTEGER (32-bit), DOUBLE,
// TEXT. A column of any other or no declared type takes values as they are.
enum class ColumnKind { Any, Boolean, Integer, Long, Double, Text };

ColumnKind ColumnKindFromDeclaredType(std::string_view declared_type);

struct Coercion {
  Variant value;
  std::string error;  // empty when the value could be converted
  bool ok() const { return error.empty(); }
};

// The value to store. Whole-number columns round half to even and refuse a
// value outside their range; Yes/No columns take True for any number but 0;
// a Boolean written into a number column is -1 or 0 and into a text column
// "True" or "False". Null is refused only where the column cannot hold it.
Coercion CoerceForColumn(const Variant& value, ColumnKind kind, bool nullable);

// A text that is one whole number and nothing else: optional blanks around
// it, an optional sign, digits with at most one point, an optional exponent
// (E or D), or a &H / &O number. "12abc", "", "1,000" and "$5" are not.
std::optional<double> StrictNumberFromText(std::string_view text);

}  // namespace platform
