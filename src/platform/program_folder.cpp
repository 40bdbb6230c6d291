#include "platform/program_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

namespace platform {

namespace fs = std::filesystem;

std::string ProgramFolder::DefaultPath() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && *xdg != '\0') return (fs::path(xdg) / "vkx4700").string();
  const char* home = std::getenv("HOME");
  std::string base = (home != nullptr && *home != '\0') ? home : ".";
  return (fs::path(base) / ".local" / "share" / "vkx4700").string();
}

std::string ProgramFolder::FilePath(std::string_view name) const {
  std::string n(name);
  while (!n.empty() && (n.front() == '\\' || n.front() == '/')) n.erase(0, 1);
  for (char& c : n)
    if (c == '\\') c = '/';
  return (fs::path(path_) / n).string();
}

std::optional<std::string> ProgramFolder::EnsureSeeded(const std::string& seed_dir) const {
  std::error_code ec;
  fs::create_directories(path_, ec);
  if (ec) return "Cannot create the program folder " + path_ + ": " + ec.message();
  if (seed_dir.empty() || !fs::is_directory(seed_dir, ec)) return std::nullopt;
  for (const auto& entry : fs::directory_iterator(seed_dir, ec)) {
    if (!entry.is_regular_file()) continue;
    fs::path target = fs::path(path_) / entry.path().filename();
    if (fs::exists(target, ec)) continue;
    fs::copy_file(entry.path(), target, ec);
    if (ec) return "Cannot copy " + entry.path().string() + " into " + path_ + ": " + ec.message();
  }
  return std::nullopt;
}

bool ProgramFolder::Exists(std::string_view name) const {
  std::error_code ec;
  return fs::exists(FilePath(name), ec);
}

std::optional<std::string> ProgramFolder::ReadFile(std::string_view name) const {
  return ReadWholeFile(FilePath(name));
}

std::optional<std::string> ProgramFolder::WriteFileAtomic(std::string_view name,
                                                          std::string_view bytes) const {
  return WriteWholeFileAtomic(FilePath(name), bytes);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  return ReadWholeFileOrReason(path).bytes;
}

FileReading ReadWholeFileOrReason(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {std::nullopt, std::strerror(errno)};
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      bytes.append(buffer, static_cast<size_t>(n));
      continue;
    }
    if (n == 0) break;
    if (errno == EINTR) continue;
    const std::string error = std::strerror(errno);
    ::close(fd);
    return {std::nullopt, error};
  }
  ::close(fd);
  return {std::move(bytes), ""};
}

std::optional<std::string> WriteWholeFileAtomic(const std::string& path, std::string_view bytes) {
  return WriteWholeFileAtomic(path, bytes, path + ".tmp");
}

std::optional<std::string> WriteWholeFileAtomic(const std::string& path, std::string_view bytes,
                                                const std::string& temp) {
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return "Cannot write " + path + ": " + std::strerror(errno);
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      std::string err = std::strerror(errno);
      ::close(fd);
      ::unlink(temp.c_str());
      return "Cannot write " + path + ": " + err;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    std::string err = std::strerror(errno);
    ::unlink(temp.c_str());
    return "Cannot write " + path + ": " + err;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    std::string err = std::strerror(errno);
    ::unlink(temp.c_str());
    return "Cannot replace " + path + ": " + err;
  }
  // Make the rename itself durable.
  std::string dir = fs::path(path).parent_path().string();
  int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return std::nullopt;
}

}  // namespace platform
