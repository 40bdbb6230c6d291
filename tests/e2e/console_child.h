// The real console binary as a child process, offscreen, in a program folder
// and per-user store of the test's choosing; optionally with the operator's
// hands loaded into it (tests/operator_hands: keys typed, boxes reported).
#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace e2e {

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Looks every 50 ms (the child's files are all there is to watch).
inline bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

class ConsoleChild {
 public:
  struct Options {
    std::string home;
    std::string config;                // XDG_CONFIG_HOME
    std::vector<std::string> args;     // after --home DIR
    std::string keys;                  // typed by the operator's hands ("" none)
    std::string report;                // file where shown boxes are listed ("" none)
    std::string stderr_file;           // the child's standard error
  };

  explicit ConsoleChild(Options options) : options_(std::move(options)) {
    pid_ = ::fork();
    if (pid_ != 0) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_CONFIG_HOME", options_.config.c_str(), 1);
#ifdef VKX_OPERATOR_HANDS
    if (!options_.keys.empty() || !options_.report.empty()) {
      ::setenv("LD_PRELOAD", VKX_OPERATOR_HANDS, 1);
      // Under ASan the sanitizer's runtime is not the first library then.
      ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0", 1);
      ::setenv("VKX_OPERATOR_KEYS", options_.keys.c_str(), 1);
      ::setenv("VKX_OPERATOR_REPORT", options_.report.c_str(), 1);
    }
#endif
    if (!options_.stderr_file.empty())
      if (std::FILE* err = std::freopen(options_.stderr_file.c_str(), "w", stderr)) (void)err;
    std::vector<char*> argv{const_cast<char*>(VKX_CONSOLE_BIN), const_cast<char*>("--home"),
                            options_.home.data()};
    for (std::string& arg : options_.args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(VKX_CONSOLE_BIN, argv.data());
    ::_exit(127);
  }
  ~ConsoleChild() {
    if (pid_ > 0 && !ended_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status_, 0);
    }
  }
  ConsoleChild(const ConsoleChild&) = delete;
  ConsoleChild& operator=(const ConsoleChild&) = delete;

  bool Started() const { return pid_ > 0; }
  void Signal(int sig) { ::kill(pid_, sig); }

  // Waits until the report lists a box whose text starts with `text`.
  bool WaitForBox(const std::string& text, std::chrono::milliseconds limit) {
    return WaitFor([&] { return ReadFile(options_.report).find("box: " + text) != std::string::npos; },
                   limit);
  }

  // Waits for the end; false when the child is still running after `limit`
  // (it is then killed).
  bool WaitForEnd(std::chrono::milliseconds limit) {
    // A descriptor that becomes readable when the child ends: a bounded wait
    // without looking again and again.
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    pollfd p{pidfd, POLLIN, 0};
    const bool ended = pidfd >= 0 && ::poll(&p, 1, static_cast<int>(limit.count())) == 1;
    if (pidfd >= 0) ::close(pidfd);
    if (!ended) ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status_, 0);
    ended_ = true;
    return ended;
  }
  // "exit 0", "exit 1", "signal 6" ...
  std::string How() const {
    if (WIFEXITED(status_)) return "exit " + std::to_string(WEXITSTATUS(status_));
    if (WIFSIGNALED(status_)) return "signal " + std::to_string(WTERMSIG(status_));
    return "unknown";
  }

 private:
  Options options_;
  pid_t pid_ = -1;
  int status_ = 0;
  bool ended_ = false;
};


}  // namespace e2e
