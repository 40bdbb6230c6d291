// Fuzzes the rewriting of query texts for SQLite and the text encoding at
// the database's edge. Beyond not crashing: a translated text translates to
// itself, never grows, and any bytes come back unchanged through UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/cp1252.h"
#include "platform/sql_translate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  const std::string once = platform::TranslateJetSql(input);
  if (once.size() > input.size()) __builtin_trap();
  if (platform::TranslateJetSql(once) != once) __builtin_trap();
  if (const auto keyed = platform::WithRowKeyColumn(once)) {
    if (!platform::IsRowQuery(*keyed)) __builtin_trap();
  }
  (void)platform::IsTableName(input);

  if (platform::Utf8ToCp1252(platform::Cp1252ToUtf8(input)) != input) __builtin_trap();
  (void)platform::Utf8ToCp1252(input);
  return 0;
}
