// What the status-file picker lists: the files of one kind in a folder, the
// subfolders of a folder, and the places where the machine's storage is
// mounted (on Linux these take the place of drives).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Names of the regular files in dir whose extension is ext (".vkx"; letter
// case not regarded), sorted; nothing when the folder cannot be read.
std::optional<std::vector<std::string>> FilesWithExtension(const std::string& dir,
                                                           std::string_view ext);

// Names of the subfolders of dir, sorted, leaving out hidden ones (a name
// beginning with "."); nothing when the folder cannot be read.
std::optional<std::vector<std::string>> Subfolders(const std::string& dir);

// "/" and every folder where a storage device is mounted, from the mount
// table text (the format of /proc/self/mounts), in table order, each once.
std::vector<std::string> StorageMountPoints(std::string_view mount_table);
// The same from this machine's mount table.
std::vector<std::string> StorageMountPoints();

// The mount point among points that holds path (the longest that is a
// prefix of it at a folder boundary); "/" when none does.
std::string MountPointOf(const std::string& path, const std::vector<std::string>& points);

}  // namespace platform
