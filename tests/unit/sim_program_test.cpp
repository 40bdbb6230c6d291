// The vkx-sim program itself, run as a child process in real time: over the
// pseudo-terminal it opens and over a TCP port on 127.0.0.1, spoken to with
// the console's own codecs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <arpa/inet.h>
#include <netinet/in.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "link/command_table.h"
#include "link/crc16_line.h"
#include "link/reply_tokens.h"
#include "link/v4_packet.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Reads from fd until done(received) holds or timeout_ms pass.
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

bool WriteAll(int fd, const std::string& bytes) {
  return write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

// vkx-sim started with args; where() is the first line it prints.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> all{VKX_SIM_BIN};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, VKX_SIM_BIN, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    stdout_ = out[0];
    if (pid_ > 0) {
      where_ = ReadUntil(stdout_, [](const std::string& s) { return s.find('\n') != std::string::npos; }, 5000);
      where_ = where_.substr(0, where_.find('\n'));
    }
  }
  ~SimProcess() {
    if (pid_ > 0) Stop();
    if (stdout_ >= 0) close(stdout_);
  }
  const std::string& where() const { return where_; }

  // SIGTERM, then the exit status (or -1 when it did not end within 3 s).
  int Stop() {
    // A descriptor that becomes readable when the child ends: a bounded wait without polling in a loop.
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

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
  std::string where_;
};

TEST(SimProgram, ServesAPseudoTerminalAndStopsCleanlyOnTerm) {
  const auto started = Clock::now();
  SimProcess sim({"--firmware", "32116"});
  ASSERT_EQ(sim.where().rfind("pty /dev/", 0), 0u) << sim.where();
  const int fd = open(sim.where().substr(4).c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  termios raw{};
  tcgetattr(fd, &raw);
  cfmakeraw(&raw);
  tcsetattr(fd, TCSANOW, &raw);

  auto line_done = [](const std::string& s) { return s.find("\n\r") != std::string::npos; };
  ASSERT_TRUE(WriteAll(fd, "U"));
  std::string line = ReadUntil(fd, line_done, 3000);
  line = line.substr(0, line.find('\n'));
  ASSERT_TRUE(lnk::CheckLineCrc16(line)) << line;
  EXPECT_EQ(lnk::NextIntToken(line).size(), 2u) << "two-digit year";

  ASSERT_TRUE(WriteAll(fd, "Ss013090"));
  EXPECT_EQ(ReadUntil(fd, line_done, 3000), "Ss013090 OK\n\r");

  ASSERT_TRUE(WriteAll(fd, "D\r" + std::string(lnk::kAccessCode, lnk::kAccessCodeLength) + "\r"));
  // The dump ends with the whole line of address 255.
  auto dump_done = [](const std::string& s) {
    return s.find("\r255 ") != std::string::npos && s.substr(s.size() - 2) == "\n\r";
  };
  const std::string dump = ReadUntil(fd, dump_done, 6000);
  EXPECT_EQ(dump.find('\r'), 8u);
  EXPECT_NE(dump.find(" 13  90"), std::string::npos) << "the write took";
  close(fd);

  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_LT(Clock::now() - started, std::chrono::seconds(10));
}

TEST(SimProgram, ServesV4PacketsOnALoopbackTcpPort) {
  const auto started = Clock::now();
  SimProcess sim({"--tcp", "0", "--dialect", "v4", "--firmware", "40100", "--address", "7"});
  ASSERT_EQ(sim.where().rfind("tcp 127.0.0.1:", 0), 0u) << sim.where();
  const int port = std::stoi(sim.where().substr(14));
  ASSERT_GT(port, 0);

  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<std::uint16_t>(port));
  ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);

  auto exchange = [fd](std::uint16_t address, const std::string& payload) {
    std::string wire;
    lnk::SendV4Packet([&wire](std::string_view b) { wire.append(b); }, address, payload);
    EXPECT_TRUE(WriteAll(fd, wire));
    return ReadUntil(fd, [](const std::string& s) { return s.find('\r') != std::string::npos; }, 3000);
  };
  std::string buf;
  ASSERT_TRUE(lnk::DecodeV4Packet(exchange(7, "D"), buf));
  EXPECT_EQ(buf.substr(0, 2), std::string("\x01\x13", 2)) << "L = 275";
  EXPECT_EQ(buf.substr(2 + 3, 3), std::string("\x04\x01\x00", 3)) << "firmware 4.01.00";

  ASSERT_TRUE(lnk::DecodeV4Packet(exchange(65535, std::string("S\x01\x00\x0D\x5A", 5)), buf));
  EXPECT_EQ(buf.substr(0, 4), std::string("S\x01\x00\x0D", 4));
  ASSERT_TRUE(lnk::DecodeV4Packet(exchange(7, "D"), buf));
  EXPECT_EQ(buf[2 + 13], 0x5A);
  close(fd);

  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_LT(Clock::now() - started, std::chrono::seconds(10));
}

TEST(SimProgram, RefusesOptionsItDoesNotUnderstand) {
  SimProcess sim({"--firmware", "4.1"});
  EXPECT_EQ(sim.where(), "");
  EXPECT_EQ(sim.Stop(), 2);
}

}  // namespace
