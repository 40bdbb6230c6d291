#include "platform/folder_listing.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
  for (char& ch : s)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return s;
}

// Entries of dir that pass keep, by name, sorted.
template <class Keep>
std::optional<std::vector<std::string>> Names(const std::string& dir, Keep keep) {
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  if (ec) return std::nullopt;
  std::vector<std::string> names;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return std::nullopt;
    std::error_code kind_ec;
    if (keep(*it, kind_ec)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The mount table writes blanks, tabs and backslashes in octal ("\\040").
std::string Unescaped(const std::string& field) {
  const auto octal = [](char c) { return c >= '0' && c <= '7'; };
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) &&
        octal(field[i + 2]) && octal(field[i + 3])) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                               (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

}  // namespace

std::optional<std::vector<std::string>> FilesWithExtension(const std::string& dir,
                                                           std::string_view ext) {
  const std::string wanted = Lower(std::string(ext));
  return Names(dir, [&](const fs::directory_entry& e, std::error_code& ec) {
    return e.is_regular_file(ec) && Lower(e.path().extension().string()) == wanted;
  });
}

std::optional<std::vector<std::string>> Subfolders(const std::string& dir) {
  return Names(dir, [](const fs::directory_entry& e, std::error_code& ec) {
    return e.is_directory(ec) && e.path().filename().string().rfind('.', 0) != 0;
  });
}

std::vector<std::string> StorageMountPoints(std::string_view mount_table) {
  std::vector<std::string> points{"/"};
  std::istringstream in{std::string(mount_table)};
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string device, point;
    if (!(fields >> device >> point) || device.rfind("/dev/", 0) != 0) continue;
    point = Unescaped(point);
    std::error_code ec;
    if (!fs::is_directory(point, ec)) continue;  // a file bound into place
    if (std::find(points.begin(), points.end(), point) == points.end()) points.push_back(point);
  }
  return points;
}

std::vector<std::string> StorageMountPoints() {
  std::ifstream in("/proc/self/mounts");
  std::stringstream table;
  table << in.rdbuf();
  return StorageMountPoints(table.str());
}

std::string MountPointOf(const std::string& path, const std::vector<std::string>& points) {
  std::string best = "/";
  for (const std::string& p : points) {
    const bool holds = p == "/" || path == p || (path.rfind(p, 0) == 0 && path[p.size()] == '/');
    if (holds && p.size() > best.size()) best = p;
  }
  return best;
}

}  // namespace platform
