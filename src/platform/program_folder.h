// The program folder: the files that live beside the program (settings file,
// site database, map catalogue, report templates, saved unit files).
// Default $XDG_DATA_HOME/vkx4700 (~/.local/share/vkx4700), or a folder given
// with --home. An empty folder is seeded from the shipped data files on the
// first start, so a fresh machine starts without manual steps.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ProgramFolder {
 public:
  explicit ProgramFolder(std::string path) : path_(std::move(path)) {}

  // The default folder for this user (does not create it).
  static std::string DefaultPath();

  const std::string& Path() const { return path_; }
  // Path of a file in the folder. Names given by the original with "\" work.
  std::string FilePath(std::string_view name) const;

  // Creates the folder when missing and copies into it every file of
  // seed_dir that it does not hold yet. Returns an error text on failure.
  std::optional<std::string> EnsureSeeded(const std::string& seed_dir) const;

  bool Exists(std::string_view name) const;
  // The whole file as bytes; nothing when it cannot be read.
  std::optional<std::string> ReadFile(std::string_view name) const;
  // Replaces the file so that a crash while writing leaves either the old
  // or the new contents: written to a temporary file, flushed, then renamed.
  // Returns an error text on failure.
  std::optional<std::string> WriteFileAtomic(std::string_view name, std::string_view bytes) const;

 private:
  std::string path_;
};

// Reads or writes a whole file at a path (for files the operator names).
std::optional<std::string> ReadWholeFile(const std::string& path);
// A whole file, or the system's reason why it cannot be read ("Permission
// denied", "Is a directory"): a file that fails half-way is no short file.
struct FileReading {
  std::optional<std::string> bytes;
  std::string error;  // "" when read
};
FileReading ReadWholeFileOrReason(const std::string& path);
std::optional<std::string> WriteWholeFileAtomic(const std::string& path, std::string_view bytes);
// The same through a temporary file of the caller's choosing (in the same
// folder), which is left behind only by a crash before the rename.
std::optional<std::string> WriteWholeFileAtomic(const std::string& path, std::string_view bytes,
                                                const std::string& temp);

}  // namespace platform
