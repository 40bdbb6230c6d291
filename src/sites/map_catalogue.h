// The map catalogue "Maps.ini" in the program folder: one map per line, in
// the program's single-byte text, lines ending in CR LF:
//   description, character 255, five-digit map id, character 254, bitmap path
//   "Regional overview\xFF" "00000\xFE" "TEVH.bmp"
// An id beyond 99999 is written with all its digits ("100000") and read
// whole. The bitmap path is the file system's own bytes.
// A line without the character 255 is no map: it is not listed, and it
// disappears when the catalogue is rewritten. These functions read and
// build the catalogue's text; the map dialogs read and write the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sites {

inline constexpr std::string_view kMapCatalogueFileName = "Maps.ini";
// The catalogue's temporary file while it is rewritten: its path + ".temp".
inline constexpr std::string_view kMapCatalogueTempSuffix = ".temp";
inline constexpr char kMapIdMark = '\xFF';
inline constexpr char kMapPathMark = '\xFE';
// The largest map id; a longer run of digits reads as this.
inline constexpr std::int32_t kMaxMapId = 999'999'999;

struct MapListEntry {
  std::string description;  // the text before the first character 255
  std::int32_t id = 0;      // the id after it (MapIdOfLine)
  long position = 0;        // 1-based byte position of the line in the file
};

struct MapList {
  std::vector<MapListEntry> entries;  // in file order
  std::int32_t max_id = 0;            // the largest id listed, 0 for none
};

// Every map line of the catalogue. Lines may end in CR LF, LF or CR.
MapList ListMaps(std::string_view catalogue);

// The id of a line that holds the character 255: Val of the five characters
// after it, and when those are all digits, every digit that follows them
// too (at most kMaxMapId). Nothing for a line without the character 255.
std::optional<std::int32_t> MapIdOfLine(std::string_view line);
// The id of the map line that starts at a 1-based byte position, whether it
// names a bitmap or not; nothing for a line that is no map.
std::optional<std::int32_t> MapIdAt(std::string_view catalogue, long position);

struct MapEntry {
  std::int32_t id = 0;
  std::string path;
};
// The line that starts at a 1-based byte position, when it holds the
// character 254: its id and the bitmap path after the 254 that follows the
// id.
std::optional<MapEntry> ReadMapEntry(std::string_view catalogue, long position);

// One catalogue line without its line end. A character 255 in the
// description (which would end it early) is written as "y", and line ends
// in either text as blanks, so the line always reads back as written.
std::string MapLine(std::string_view description, std::int32_t id, std::string_view path);

// The catalogue after removing list entry `removed` (an index into
// list.entries): the other entries' lines in list order.
std::string CatalogueWithout(std::string_view catalogue, const MapList& list,
                             std::size_t removed);
// The catalogue with one line of map `id` replaced by `line`: the line that
// starts at the 1-based byte `position` when it carries that id, else the
// first line that does. Two maps may share an id (written past 99999 by
// hand or by older versions), so the line, not the id, names the map. The
// other map lines are kept as they are.
std::string CatalogueWithMapReplaced(std::string_view catalogue, long position, std::int32_t id,
                                     std::string_view line);
// The catalogue with `line` added at its end (after a line end of its own
// when the last line lacks one).
std::string CatalogueWithMapAdded(std::string_view catalogue, std::string_view line);

}  // namespace sites
