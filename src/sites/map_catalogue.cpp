#include "sites/map_catalogue.h"

#include <algorithm>

#include "common/vb.h"

namespace sites {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

struct Line {
  std::string_view text;  // without its line end
  std::size_t start = 0;  // 0-based byte offset
};

// The lines of the catalogue, each without its line end (CR LF, LF or CR).
std::vector<Line> Lines(std::string_view file) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < file.size()) {
    std::size_t end = file.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = file.size();
    lines.push_back(Line{file.substr(start, end - start), start});
    if (end == file.size()) break;
    start = end + 1;
    if (file[end] == '\r' && start < file.size() && file[start] == '\n') ++start;
  }
  return lines;
}

// The line that starts at a 1-based byte position; nothing outside the file.
std::optional<std::string_view> LineAt(std::string_view file, long position) {
  if (position < 1 || static_cast<std::size_t>(position) > file.size()) return std::nullopt;
  const std::string_view rest = file.substr(static_cast<std::size_t>(position) - 1);
  return rest.substr(0, rest.find_first_of("\r\n"));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The id after the character 255 at `mark`. Five characters as they have
// always been written, read with Val (where "9E99" is a number too); a
// longer id goes on in digits.
std::int32_t IdAfter(std::string_view line, std::size_t mark) {
  const std::string_view five = line.substr(mark + 1, 5);
  if (five.size() < 5 || !std::all_of(five.begin(), five.end(), IsDigit))
    return std::min(vb::CLng(vb::Val(five)), kMaxMapId);
  std::int64_t id = 0;
  for (std::size_t i = mark + 1; i < line.size() && IsDigit(line[i]); ++i)
    id = std::min<std::int64_t>(id * 10 + (line[i] - '0'), kMaxMapId);
  return static_cast<std::int32_t>(id);
}

std::string Cleaned(std::string_view text, bool is_description) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
    if (is_description && c == kMapIdMark) c = 'y';
  }
  return out;
}

std::string Joined(const std::vector<std::string_view>& lines) {
  std::string out;
  for (std::string_view line : lines) {
    out += line;
    out += kLineEnd;
  }
  return out;
}

}  // namespace

MapList ListMaps(std::string_view catalogue) {
  MapList list;
  for (const Line& line : Lines(catalogue)) {
    const std::size_t mark = line.text.find(kMapIdMark);
    if (mark == std::string_view::npos) continue;
    MapListEntry entry;
    entry.description = std::string(line.text.substr(0, mark));
    entry.id = IdAfter(line.text, mark);
    entry.position = static_cast<long>(line.start) + 1;
    if (entry.id > list.max_id) list.max_id = entry.id;
    list.entries.push_back(std::move(entry));
  }
  return list;
}

std::optional<std::int32_t> MapIdOfLine(std::string_view line) {
  const std::size_t mark = line.find(kMapIdMark);
  if (mark == std::string_view::npos) return std::nullopt;
  return IdAfter(line, mark);
}

std::optional<std::int32_t> MapIdAt(std::string_view catalogue, long position) {
  const auto line = LineAt(catalogue, position);
  return line ? MapIdOfLine(*line) : std::nullopt;
}

std::optional<MapEntry> ReadMapEntry(std::string_view catalogue, long position) {
  const auto at = LineAt(catalogue, position);
  if (!at) return std::nullopt;
  const std::string_view line = *at;
  const std::size_t id_mark = line.find(kMapIdMark);
  const std::size_t from = id_mark == std::string_view::npos ? 0 : id_mark + 1;
  const std::size_t path_mark = line.find(kMapPathMark, from);
  if (path_mark == std::string_view::npos) return std::nullopt;
  MapEntry entry;
  // A line without the character 255 reads its id from its first characters.
  entry.id = id_mark == std::string_view::npos ? vb::CLng(vb::Val(line.substr(0, 5)))
                                               : IdAfter(line, id_mark);
  entry.path = std::string(line.substr(path_mark + 1));
  return entry;
}

std::string MapLine(std::string_view description, std::int32_t id, std::string_view path) {
  return Cleaned(description, true) + kMapIdMark + vb::Format(id, "00000") + kMapPathMark +
         Cleaned(path, false);
}

std::string CatalogueWithout(std::string_view catalogue, const MapList& list,
                             std::size_t removed) {
  std::vector<std::string_view> kept;
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    if (i == removed) continue;
    if (const auto line = LineAt(catalogue, list.entries[i].position)) kept.push_back(*line);
  }
  return Joined(kept);
}

std::string CatalogueWithMapReplaced(std::string_view catalogue, long position, std::int32_t id,
                                     std::string_view line) {
  const bool at_position = MapIdAt(catalogue, position) == id;
  bool replaced = false;
  std::vector<std::string_view> kept;
  for (const Line& l : Lines(catalogue)) {
    const std::size_t mark = l.text.find(kMapIdMark);
    if (mark == std::string_view::npos) continue;
    const bool chosen = at_position ? static_cast<long>(l.start) + 1 == position
                                    : !replaced && IdAfter(l.text, mark) == id;
    replaced = replaced || chosen;
    kept.push_back(chosen ? line : l.text);
  }
  return Joined(kept);
}

std::string CatalogueWithMapAdded(std::string_view catalogue, std::string_view line) {
  std::string out(catalogue);
  if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += kLineEnd;
  out += line;
  out += kLineEnd;
  return out;
}

}  // namespace sites
