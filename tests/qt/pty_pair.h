// A pty pair for the serial tests: the port under test opens the slave
// side by its path, the test plays the far end on the master side.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace qttest {

class PtyPair {
 public:
  PtyPair() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0) slave_path_ = name;
  }
  ~PtyPair() {
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool Ok() const { return !slave_path_.empty(); }
  // The line settings the device holds, as the port left them.
  termios Held() const {
    termios t{};
    tcgetattr(slave_, &t);
    return t;
  }
  const std::string& SlavePath() const { return slave_path_; }

  // The far end goes away (a simulator killed, a cable pulled): the port's
  // side reads end-of-file and POLLHUP from then on.
  void CloseFarEnd() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }

  void Write(const std::string& bytes) const {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // Writes what the line takes now, without waiting: the count written.
  size_t WriteSome(std::string_view bytes) const {
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    const ssize_t n = write(master_, bytes.data(), bytes.size());
    return n > 0 ? static_cast<size_t>(n) : 0;
  }
  int MasterFd() const { return master_; }
  // Reads from the far end until `count` bytes came or 3 s passed.
  std::string Read(size_t count) const {
    std::string got;
    char buffer[512];
    while (got.size() < count) {
      pollfd fd{master_, POLLIN, 0};
      if (poll(&fd, 1, 3000) <= 0) break;
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      got.append(buffer, static_cast<size_t>(n));
    }
    return got;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slave_path_;
};

}  // namespace qttest
