// The serial port on a real pty pair: the port opens the pty's slave side
// (named for its COM number in the registry), the test plays the far end on
// the master side.
#include <gtest/gtest.h>

#include <termios.h>

#include <cstdio>

#include <string>
#include <tuple>

#include "pty_pair.h"
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

// The far end closing (the simulator killed, an adapter pulled) is the
// device going away: the port closes, says so once, and nothing polls the
// dead line afterwards.
TEST_F(QtSerialPortTest, AFarEndThatClosesEndsThePortOnceAndLeavesNothingPolling) {
  ASSERT_TRUE(port.SetPortOpen(true)) << port.LastError();
  int lost = 0;
  port.DeviceLost = [&] { ++lost; };
  pty.CloseFarEnd();
  ASSERT_TRUE(RunUntil(rt, [&] { return lost > 0; }, 3000)) << "nobody was told";
  EXPECT_FALSE(port.PortOpen());
  EXPECT_EQ(port.LastError(), pty.SlavePath() + " hung up");
  const double cpu_ms = CpuMsWhile([&] { RunFor(rt, 1000); });
  std::printf("CPU in the second after the far end closed: %.1f ms\n", cpu_ms);
  EXPECT_LT(cpu_ms, 100) << "the dead line is still polled";
  EXPECT_EQ(lost, 1);
  port.Output("ignored");
  EXPECT_EQ(port.Input(), "");
  EXPECT_TRUE(port.SetPortOpen(false));
  EXPECT_EQ(lost, 1) << "a close of the program's own is no loss";
}

TEST_F(QtSerialPortTest, LineSettingsAndHandshakingReachTheDevice) {
  port.Settings = "19200,n,8,2";
  port.Handshaking = 3;
  port.RTSEnable = true;
  ASSERT_TRUE(port.SetPortOpen(true)) << port.LastError();
  termios t = pty.Held();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
  EXPECT_TRUE((t.c_cflag & CSTOPB) && (t.c_cflag & CRTSCTS));
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF))
      << "\"Both\" keeps XON/XOFF beside RTS/CTS";
  EXPECT_FALSE(port.SetPortOpen(true));  // already open
  EXPECT_EQ(port.LastError(), "Port already open");
  port.SetPortOpen(false);
  port.Settings = "300,N,8,1";
  port.Handshaking = 1;
  ASSERT_TRUE(port.SetPortOpen(true)) << port.LastError();
  t = pty.Held();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B300));
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
  EXPECT_FALSE(t.c_cflag & CRTSCTS);
  // Each code leaves exactly its handshakes on the device, whatever the one
  // before left there.
  const std::tuple<int, bool, bool> codes[] = {{3, true, true}, {0, false, false}, {2, true, false},
                                               {1, false, true}, {3, true, true}};
  for (auto [code, rts_cts, xon_xoff] : codes) {
    port.SetPortOpen(false);
    port.Handshaking = code;
    ASSERT_TRUE(port.SetPortOpen(true)) << code << ": " << port.LastError();
    t = pty.Held();
    EXPECT_EQ((t.c_cflag & CRTSCTS) != 0, rts_cts) << code;
    EXPECT_EQ((t.c_iflag & (IXON | IXOFF)) == (IXON | IXOFF), xon_xoff) << code;
    EXPECT_EQ((t.c_iflag & (IXON | IXOFF)) == 0, !xon_xoff) << code;
  }
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
  // A sign before the baud is taken once; a baud beyond an int is none.
  EXPECT_EQ(qtui::ParseSerialSettings("+9600,n,8,1")->baud, 9600);
  EXPECT_EQ(qtui::ParseSerialSettings("2147483647,n,8,1")->baud, 2147483647);
  for (const char* bad : {"", "9600", "9600,n,8", "fast,n,8,1", "0,n,8,1", "9600,x,8,1",
                          "9600,n,9,1", "9600,n,8,3", "9600,n,8,1,1", "++9600,n,8,1",
                          "-9600,n,8,1", "2147483648,n,8,1", "96.00,n,8,1", "9600,n,+-8,1"})
    EXPECT_FALSE(qtui::ParseSerialSettings(bad)) << bad;
}

TEST(QtSerialSettingsTest, HandshakingCodesMapToFlowControl) {
  using qtui::Handshake;
  const std::tuple<int, Handshake, QSerialPort::FlowControl> codes[] = {
      {0, Handshake{}, QSerialPort::NoFlowControl},
      {1, Handshake{.rts_cts = false, .xon_xoff = true}, QSerialPort::SoftwareControl},
      {2, Handshake{.rts_cts = true, .xon_xoff = false}, QSerialPort::HardwareControl},
      {3, Handshake{.rts_cts = true, .xon_xoff = true}, QSerialPort::HardwareControl},
      {7, Handshake{}, QSerialPort::NoFlowControl}};
  for (const auto& [code, handshake, flow] : codes) {
    EXPECT_TRUE(qtui::HandshakeFor(code) == handshake) << code;
    EXPECT_EQ(qtui::FlowControlFor(qtui::HandshakeFor(code)), flow) << code;
  }
}

}  // namespace
}  // namespace qttest
