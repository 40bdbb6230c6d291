// The vkx-sim program itself, run as a child process in real time: over the
// pseudo-terminal it opens and over a TCP port on 127.0.0.1, spoken to with
// the console's own codecs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>
#include <arpa/inet.h>
#include <netinet/in.h>

#include <chrono>
#include <string>
#include <vector>

#include "link/command_table.h"
#include "link/crc16_line.h"
#include "link/reply_tokens.h"
#include "link/v4_packet.h"
#include "sim_process.h"

namespace {

using Clock = std::chrono::steady_clock;

bool WriteAll(int fd, const std::string& bytes) {
  return write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

using testkit::ReadUntil;

// vkx-sim started with args.
struct SimProcess : testkit::SimProcess {
  explicit SimProcess(const std::vector<std::string>& args) : testkit::SimProcess(VKX_SIM_BIN, args) {}
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
