#include "app/remote_port.h"

#include "common/vb.h"

namespace app {

std::optional<int> ParseRemotePort(std::string_view text) {
  const std::string digits = vb::Trim(text);
  if (digits.empty()) return std::nullopt;
  int port = 0;
  for (char ch : digits) {
    if (ch < '0' || ch > '9') return std::nullopt;
    port = port * 10 + (ch - '0');
    if (port > 65535) return std::nullopt;  // before it can grow further
  }
  if (port < 1) return std::nullopt;
  return port;
}

}  // namespace app
