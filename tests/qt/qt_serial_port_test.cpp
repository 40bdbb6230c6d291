// The serial port on a real pty pair: the port opens the pty's slave side
// (named for its COM number in the registry), the test plays the far end on
// the master side.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "qt/qt_serial_port.h"
#include "qt/serial_settings.h"
#include "qt_test_support.h"

namespace qttest {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  return bytes;
}

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

  void Write(const std::string& bytes) const {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
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

class QtSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty.Ok());
    registry.SaveSetting("Ports", "COM5", pty.SlavePath());
    port.CommPort = 5;
  }

  qtui::QtRuntime rt;
  PtyPair pty;
  platform::MemoryRegistry registry;
  qtui::QtSerialPort port{registry};
};

TEST_F(QtSerialPortTest, EveryByteValueCrossesUnchangedBothWays) {
  port.Settings = "9600,n,8,1";
  ASSERT_TRUE(port.SetPortOpen(true)) << port.LastError();
  EXPECT_TRUE(port.PortOpen());

  pty.Write(AllBytes());
  std::string received;
  ASSERT_TRUE(RunUntil(rt, [&] {
    received += port.Input();
    return received.size() >= 256;
  }, 3000));
  EXPECT_EQ(received, AllBytes());
  EXPECT_EQ(port.InBufferCount(), 0);

  port.Output(AllBytes());
  EXPECT_EQ(pty.Read(256), AllBytes());

  EXPECT_TRUE(port.SetPortOpen(false));
  EXPECT_FALSE(port.PortOpen());
  port.Output("ignored while closed");
  EXPECT_EQ(port.Input(), "");
}

TEST_F(QtSerialPortTest, LineSettingsAndHandshakingReachTheDevice) {
  port.Settings = "19200,n,8,2";
  port.Handshaking = 3;
  port.RTSEnable = true;
  ASSERT_TRUE(port.SetPortOpen(true)) << port.LastError();
  termios t = pty.Held();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
  EXPECT_TRUE((t.c_cflag & CSTOPB) && (t.c_cflag & CRTSCTS));
  EXPECT_FALSE(port.SetPortOpen(true));  // already open
  EXPECT_EQ(port.LastError(), "Port already open");
  port.SetPortOpen(false);
  port.Settings = "300,N,8,1";
  port.Handshaking = 1;
  ASSERT_TRUE(port.SetPortOpen(true)) << port.LastError();
  t = pty.Held();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B300));
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
}

// A pty keeps 8 data bits and no parity whatever it is asked, and no Linux
// port has 1.5 stop bits: the open fails and names what the device refused.
TEST_F(QtSerialPortTest, SettingsTheDeviceDoesNotHoldAreRefusedByName) {
  const std::pair<const char*, const char*> cases[] = {
      {"9600,E,8,1", "parity E"}, {"9600,n,8,1.5", "1.5 stop bits"},
      {"19200,O,7,2", "parity O, 7 data bits"}, {"9600,q,8,1", "\"9600,q,8,1\""}};
  for (const auto& [settings, refused] : cases) {
    port.Settings = settings;
    EXPECT_FALSE(port.SetPortOpen(true) || port.PortOpen()) << settings;
    EXPECT_EQ(port.RefusedSettings(), refused);
  }
  port.Settings = "9600,N,8,1";
  EXPECT_TRUE(port.SetPortOpen(true)) << "a refused open leaves the device free";
}

TEST_F(QtSerialPortTest, ADeviceHeldByAnotherPortIsInUse) {
  ASSERT_TRUE(port.SetPortOpen(true)) << port.LastError();
  qtui::QtSerialPort second(registry);
  second.CommPort = 5;
  EXPECT_FALSE(second.SetPortOpen(true));
  EXPECT_EQ(second.LastError(), "Port already in use");
}

TEST_F(QtSerialPortTest, PortsThatCannotOpenSayWhy) {
  registry.SaveSetting("Ports", "COM7", "/dev/vkx-no-such-port");
  port.CommPort = 7;
  EXPECT_FALSE(port.SetPortOpen(true));
  EXPECT_EQ(port.LastError(), "Invalid port number");
  port.CommPort = 0;
  EXPECT_FALSE(port.SetPortOpen(true));
  EXPECT_EQ(port.LastError(), "Invalid port number");
  EXPECT_EQ(port.RefusedSettings(), "") << "no port: nothing was refused";
}

TEST_F(QtSerialPortTest, UnnamedPortsAreTheTtySDevices) {
  EXPECT_EQ(port.DevicePath(1), "/dev/ttyS0");
  EXPECT_EQ(port.DevicePath(3), "/dev/ttyS2");
  EXPECT_EQ(port.DevicePath(5), pty.SlavePath());
}

TEST(QtSerialSettingsTest, SettingsTextsParse) {
  const auto plain = qtui::ParseSerialSettings("9600,n,8,1");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->baud, 9600);
  EXPECT_EQ(plain->parity, QSerialPort::NoParity);
  EXPECT_EQ(plain->data_bits, QSerialPort::Data8);
  EXPECT_EQ(plain->stop_bits, QSerialPort::OneStop);
  const auto even = qtui::ParseSerialSettings("1200, E ,7,1.5");
  ASSERT_TRUE(even);
  EXPECT_EQ(even->parity, QSerialPort::EvenParity);
  EXPECT_EQ(even->data_bits, QSerialPort::Data7);
  EXPECT_EQ(even->stop_bits, QSerialPort::OneAndHalfStop);
  EXPECT_EQ(qtui::ParseSerialSettings("300,o,5,2")->parity, QSerialPort::OddParity);
  EXPECT_EQ(qtui::ParseSerialSettings("300,M,8,1")->parity, QSerialPort::MarkParity);
  EXPECT_EQ(qtui::ParseSerialSettings("300,s,8,1")->parity, QSerialPort::SpaceParity);
  for (const char* bad : {"", "9600", "9600,n,8", "fast,n,8,1", "0,n,8,1", "9600,x,8,1",
                          "9600,n,9,1", "9600,n,8,3", "9600,n,8,1,1"})
    EXPECT_FALSE(qtui::ParseSerialSettings(bad)) << bad;
}

TEST(QtSerialSettingsTest, HandshakingCodesMapToFlowControl) {
  EXPECT_EQ(qtui::FlowControlFor(0), QSerialPort::NoFlowControl);
  EXPECT_EQ(qtui::FlowControlFor(1), QSerialPort::SoftwareControl);
  EXPECT_EQ(qtui::FlowControlFor(2), QSerialPort::HardwareControl);
  EXPECT_EQ(qtui::FlowControlFor(3), QSerialPort::HardwareControl);
}

}  // namespace
}  // namespace qttest
