// Unit data files as the operator may pick them: any bytes. A status file is
// read as the text or the binary variant by its first byte or refused; a
// binary one only when its packet's length field fits and a group boundary
// after it leaves the CRC-32 at 0 (checked with the simulator's own CRC);
// what is read is what a save of the same status writes back, and reads back
// alike. Of a bulk dump only the first 300 bytes count; a dump text written
// back by a factory initialisation gives one byte per pair of numbers it
// holds, no more.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string>

#include "app/status_file.h"
#include "core/v4_frame.h"
#include "fuzz_support.h"

using testkit::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto image = app::ReadBulkImage(bytes);
  Require(image ? *image == bytes.substr(0, app::kBulkImageBytes) : size < app::kBulkImageBytes);
  Require(app::FactoryInitBytes(bytes).size() <= std::min<std::size_t>(301, size / 2));

  const app::StatusFileReading read = app::ReadStatusFile(bytes);
  Require(read.contents.has_value() == read.refusal.empty());
  if (!read.contents) return 0;
  const app::StatusFileContents& file = *read.contents;
  Require(file.text == (bytes[0] == '2'));
  if (!file.text) {
    Require(file.packet == bytes.substr(0, app::kStatusPacketBytes));
    const std::size_t length = static_cast<unsigned char>(bytes[0]) * 256u +
                               static_cast<unsigned char>(bytes[1]);
    bool whole = false;
    for (std::size_t end = 7; end <= app::kStatusPacketBytes && !whole; end += 7)
      whole = end >= length + 6 && sim::Crc32Jamcrc(std::string_view(file.packet).substr(0, end)) == 0;
    Require(whole);
    const app::HeldStatusFile saved = app::HeldStatusFileBytes("(Data)", "", "", file.packet);
    Require(saved.binary && saved.bytes && *saved.bytes == file.packet + "\r\n");
    const app::StatusFileReading reread = app::ReadStatusFile(*saved.bytes);
    Require(reread.contents && reread.contents->packet == file.packet);
    return 0;
  }
  for (const std::string* line : {&file.eeprom, &file.u_line, &file.v_line})
    Require(line->find_first_of("\r\n") == std::string::npos);
  const app::HeldStatusFile saved =
      app::HeldStatusFileBytes(file.eeprom, file.u_line, file.v_line, "");
  Require(saved.bytes && !saved.binary &&
          *saved.bytes == app::TextStatusFileBytes(file.eeprom, file.u_line, file.v_line));
  const app::StatusFileReading reread = app::ReadStatusFile(*saved.bytes);
  Require(reread.contents && reread.contents->eeprom == file.eeprom &&
          reread.contents->u_line == file.u_line && reread.contents->v_line == file.v_line);
  return 0;
}
