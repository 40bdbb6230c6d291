// A status file as the operator may pick it: any bytes. It is read as the
// text or the binary variant by its first byte or refused; what is read is
// what a save of the same status writes back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/status_file.h"
#include "fuzz_support.h"

using testkit::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const app::StatusFileReading read = app::ReadStatusFile(bytes);
  Require(read.contents.has_value() == read.refusal.empty());
  if (!read.contents) return 0;
  const app::StatusFileContents& file = *read.contents;
  Require(file.text == (bytes[0] == '2'));
  if (!file.text) {
    Require(file.packet == bytes.substr(0, app::kStatusPacketBytes));
    return 0;
  }
  for (const std::string* line : {&file.eeprom, &file.u_line, &file.v_line})
    Require(line->find_first_of("\r\n") == std::string::npos);
  const std::string again = app::TextStatusFileBytes(file.eeprom, file.u_line, file.v_line);
  const app::StatusFileReading reread = app::ReadStatusFile(again);
  Require(reread.contents && reread.contents->eeprom == file.eeprom &&
          reread.contents->u_line == file.u_line && reread.contents->v_line == file.v_line);
  return 0;
}
