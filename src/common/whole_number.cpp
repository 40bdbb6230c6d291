#include "common/whole_number.h"

#include <cctype>
#include <string>

#include "common/vb.h"

namespace common {

std::optional<std::int64_t> WholeNumber(std::string_view text) {
  const std::string t = vb::Trim(text);
  std::size_t i = t.empty() || (t[0] != '-' && t[0] != '+') ? 0 : 1;
  if (i == t.size() || t.size() - i > 10) return std::nullopt;
  std::int64_t n = 0;
  for (; i < t.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(t[i]))) return std::nullopt;
    n = n * 10 + (t[i] - '0');
  }
  return t[0] == '-' ? -n : n;
}

}  // namespace common
