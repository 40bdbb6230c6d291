#include "sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

extern char** environ;

namespace testkit {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

std::string ReadUntil(int fd, const std::function<bool(const std::string&)>& done, int timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  std::string received;
  while (!done(received)) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, MsLeft(deadline)) <= 0) break;
    char buf[1024];
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) break;
    received.append(buf, static_cast<std::size_t>(n));
  }
  return received;
}

SimProcess::SimProcess(const std::string& program, const std::vector<std::string>& args) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  stdout_ = out[0];
  if (pid_ > 0) {
    where_ = ReadUntil(stdout_, [](const std::string& s) { return s.find('\n') != std::string::npos; }, 5000);
    where_ = where_.substr(0, where_.find('\n'));
  }
}

SimProcess::~SimProcess() {
  if (pid_ > 0) Stop();
  if (stdout_ >= 0) close(stdout_);
}

int SimProcess::Stop() {
  // A descriptor that becomes readable when the child ends: a bounded wait
  // without polling in a loop.
  const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  kill(pid_, SIGTERM);
  pollfd p{pidfd, POLLIN, 0};
  const bool ended = pidfd >= 0 && poll(&p, 1, 3000) == 1;
  if (!ended) kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  if (pidfd >= 0) close(pidfd);
  pid_ = -1;
  return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testkit
