#include "app/unit_address.h"

#include "common/vb.h"

namespace app {

std::optional<std::int32_t> ParseUnitAddress(std::string_view answer) {
  if (answer.empty()) return std::nullopt;
  // A letter changes under one of the two case conversions.
  if (vb::UCase(answer) != answer || vb::LCase(answer) != answer) return std::nullopt;
  const double value = vb::Val(answer);
  if (value < 0 || value > kMaxUnitAddress) return std::nullopt;
  return vb::CLng(value);
}

}  // namespace app
