#include "platform/variant.h"

#include <ostream>

#include "common/vb.h"

namespace platform {

std::string Variant::ToText() const {
  switch (type()) {
    case Type::Null: return "";
    case Type::Boolean: return std::get<bool>(value_) ? "True" : "False";
    case Type::Long: return vb::CStr(std::get<std::int32_t>(value_));
    case Type::Double: return vb::CStr(std::get<double>(value_));
    case Type::Text: return std::get<std::string>(value_);
  }
  return "";
}

double Variant::ToDouble() const {
  switch (type()) {
    case Type::Null: return 0;
    case Type::Boolean: return std::get<bool>(value_) ? -1 : 0;
    case Type::Long: return std::get<std::int32_t>(value_);
    case Type::Double: return std::get<double>(value_);
    case Type::Text: return vb::Val(std::get<std::string>(value_));
  }
  return 0;
}

std::int32_t Variant::ToLong() const {
  if (type() == Type::Long) return std::get<std::int32_t>(value_);
  return vb::CLng(ToDouble());
}

bool Variant::ToBool() const {
  if (type() == Type::Boolean) return std::get<bool>(value_);
  if (type() == Type::Text) {
    const std::string word = vb::UCase(vb::Trim(std::get<std::string>(value_)));
    if (word == "TRUE") return true;
    if (word == "FALSE") return false;
  }
  return ToDouble() != 0;
}

std::ostream& operator<<(std::ostream& out, const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Null: return out << "Null";
    case Variant::Type::Boolean: return out << value.ToText();
    case Variant::Type::Long: return out << value.ToText() << '&';
    case Variant::Type::Double: return out << value.ToText() << '#';
    case Variant::Type::Text: return out << '"' << value.ToText() << '"';
  }
  return out;
}

}  // namespace platform
