#include "platform/user_file_name.h"

#include "platform/cp1252.h"

namespace platform {

std::optional<std::string> PlainFileName(std::string_view typed) {
  if (typed.empty() || typed == "." || typed == "..") return std::nullopt;
  for (char ch : typed) {
    auto code = static_cast<unsigned char>(ch);
    if (ch == '/' || ch == '\\' || ch == '?' || code < 32 || code == 127) return std::nullopt;
  }
  return Cp1252ToUtf8(typed);
}

}  // namespace platform
