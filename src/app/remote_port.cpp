#include "app/remote_port.h"

#include <cstdint>

#include "common/vb.h"
#include "common/whole_number.h"

namespace app {

std::optional<int> ParseRemotePort(std::string_view text) {
  // A sign is no part of a port's digits ("+80" names no port).
  if (vb::Trim(text).find_first_of("+-") == 0) return std::nullopt;
  const std::optional<std::int64_t> port = common::WholeNumber(text);
  if (!port || *port < 1 || *port > 65535) return std::nullopt;
  return static_cast<int>(*port);
}

}  // namespace app
