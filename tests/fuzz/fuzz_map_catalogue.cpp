// The map catalogue's reader takes whatever "Maps.ini" holds, and a
// picture's size comes from whatever its header holds: neither may crash.
// Every listed entry is read back at its position with its own id, ids stay
// within their bounds, rewrites list the same maps, and a rewritten line
// reads back as it was written, an id beyond five digits included.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/picture_file.h"
#include "sites/map_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using testkit::Require;
  const std::string file(reinterpret_cast<const char*>(data), size);
  platform::PictureSizeFromHeader(file);
  const sites::MapList list = sites::ListMaps(file);
  for (const auto& entry : list.entries) {
    Require(entry.position >= 1 && static_cast<std::size_t>(entry.position) <= file.size());
    Require(entry.id <= list.max_id && entry.id <= sites::kMaxMapId);
    Require(sites::MapIdAt(file, entry.position) == entry.id);
    const auto read = sites::ReadMapEntry(file, entry.position);
    Require(!read || read->id == entry.id);
  }
  for (long position : {0L, 1L, static_cast<long>(size), static_cast<long>(size) + 1})
    sites::ReadMapEntry(file, position);
  for (std::size_t removed = 0; removed < list.entries.size() && removed < 4; ++removed)
    Require(sites::ListMaps(sites::CatalogueWithout(file, list, removed)).entries.size() ==
            list.entries.size() - 1);
  for (const std::int32_t id : {42, 123456, sites::kMaxMapId}) {
    const std::string line = sites::MapLine(file.substr(0, size / 2), id, file.substr(size / 2));
    const std::string with_line = file + "\r\n" + line;
    const std::string replaced = sites::CatalogueWithMapReplaced(
        with_line, static_cast<long>(with_line.size() - line.size()) + 1, id, line);
    const sites::MapList again = sites::ListMaps(replaced);
    Require(again.entries.size() == list.entries.size() + 1);
    const auto last = sites::ReadMapEntry(replaced, again.entries.back().position);
    Require(last && last->id == id && again.max_id >= id);
  }
  return 0;
}
