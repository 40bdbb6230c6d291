#include "platform/user_file_name.h"

namespace platform {

std::optional<std::string> PlainFileName(std::string_view typed) {
  if (typed.empty() || typed == "." || typed == "..") return std::nullopt;
  for (char ch : typed) {
    auto code = static_cast<unsigned char>(ch);
    if (ch == '/' || ch == '\\' || code < 32 || code == 127) return std::nullopt;
  }
  return std::string(typed);
}

}  // namespace platform
