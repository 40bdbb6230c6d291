// The unit simulator program (vkx-sim) as a child process, in real time: its
// first line says where it listens ("pty /dev/pts/N" or "tcp 127.0.0.1:P").
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace testkit {

// Reads from fd until done(received) holds or timeout_ms pass.
std::string ReadUntil(int fd, const std::function<bool(const std::string&)>& done, int timeout_ms);

class SimProcess {
 public:
  // Starts program (the simulator's path) with args; its standard error is
  // dropped.
  SimProcess(const std::string& program, const std::vector<std::string>& args);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // The first line it printed ("" when it refused its options).
  const std::string& where() const { return where_; }
  // The text after the first blank: the pty path or the address.
  std::string Endpoint() const { return where_.substr(where_.find(' ') + 1); }

  // SIGTERM, then the exit status (or -1 when it did not end within 3 s).
  int Stop();

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
  std::string where_;
};

}  // namespace testkit
