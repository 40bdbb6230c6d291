// A line that floods, in real time on the Qt runtime: random bytes pour into
// the real serial port over a pseudo-terminal and into the real socket over
// 127.0.0.1, while the receive loop watches the idle line and while no loop
// runs (as under a modal box). Resident memory stays within a few MB of its
// figure before the flood, the event loop keeps answering, and a whole alarm
// report sent after the flood is still found.
//
// VKX_FLOOD_SECONDS sets the flood's length (3 s by default); the figures
// (bytes through, memory, processor time per byte) are printed.
#include <gtest/gtest.h>

#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <string>

#include "app/frm_alarm.h"
#include "app/frm_main.h"
#include "link/idle_text.h"
#include "link/receive_loop.h"
#include "link/startup.h"
#include "live_console.h"
#include "platform/input_limit.h"
#include "pty_pair.h"
#include "qt_test_support.h"
#include "alarm_windows.h"

namespace qttest {
namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr std::size_t kMB = 1024 * 1024;
// Memory the flood may add, for all the buffers bounded and Qt's own. Under
// the address sanitizer freed blocks wait in its quarantine (256 MB), so
// resident memory tells nothing there; what the link holds is checked still.
#ifdef __SANITIZE_ADDRESS__
constexpr std::size_t kMemoryBound = 512 * kMB;
#else
constexpr std::size_t kMemoryBound = 16 * kMB;
#endif
// Beyond this the flood stops early: the bound is long broken.
constexpr std::size_t kGiveUp = 1024 * kMB;

std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

int FloodSeconds() {
  const int seconds = qEnvironmentVariableIntValue("VKX_FLOOD_SECONDS");
  return seconds > 0 ? seconds : 3;
}

constexpr const char* kReport = "Alarm Report\r\nSite: 12\r\nDate: 2/21\r\nTime: 14:30\r\n"
                                "Alarms: 0100000100000000\r\nNO CARRIER\r\n";

// The far end of one road: it sends what it can without waiting, and says
// when the line takes more.
struct FarEnd {
  virtual ~FarEnd() = default;
  // Writes what the line takes now; the count written.
  virtual std::size_t Send(std::string_view bytes) = 0;
  // fn runs whenever the line may take more, until Quiet().
  virtual void WhenWritable(std::function<void()> fn) = 0;
  virtual void Quiet() = 0;
};

struct PtyEnd : FarEnd {
  PtyPair pty;
  std::unique_ptr<QSocketNotifier> writable;
  std::size_t Send(std::string_view bytes) override { return pty.WriteSome(bytes); }
  void WhenWritable(std::function<void()> fn) override {
    writable = std::make_unique<QSocketNotifier>(pty.MasterFd(), QSocketNotifier::Write);
    QObject::connect(writable.get(), &QSocketNotifier::activated, std::move(fn));
  }
  void Quiet() override { writable.reset(); }
};

struct SocketEnd : FarEnd {
  QTcpServer server;
  QTcpSocket* peer = nullptr;
  QMetaObject::Connection written;
  std::size_t Send(std::string_view bytes) override {
    // Only what the socket passes on soon: the test's own buffer stays small.
    if (peer == nullptr || peer->bytesToWrite() > 256 * 1024) return 0;
    return static_cast<std::size_t>(peer->write(bytes.data(), static_cast<qint64>(bytes.size())));
  }
  void WhenWritable(std::function<void()> fn) override {
    written = QObject::connect(peer, &QTcpSocket::bytesWritten, fn);
    QTimer::singleShot(0, peer, fn);
  }
  void Quiet() override { QObject::disconnect(written); }
};

struct Road {
  const char* name;
  bool tcp;
  bool loop_runs;  // the receive loop watches; else no loop runs, as under a modal box
};

void PrintTo(const Road& road, std::ostream* out) { *out << road.name; }

class LiveLineNoise : public ::testing::TestWithParam<Road> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lnk::Main(q.console));
    ASSERT_TRUE(RunUntil(q.rt, [&] { return q.console.st.WindowRestored; }, 5000));
    if (GetParam().tcp) {
      auto end = std::make_unique<SocketEnd>();
      ASSERT_TRUE(end->server.listen(QHostAddress::LocalHost, 0));
      q.tcp.RemoteHost = "127.0.0.1";
      q.tcp.RemotePort = end->server.serverPort();
      q.tcp.Connect();
      ASSERT_TRUE(RunUntil(q.rt, [&] { return q.tcp.State() == platform::sckConnected &&
                                              end->server.hasPendingConnections(); }, 5000));
      end->peer = end->server.nextPendingConnection();
      q.console.st.UseTcp = true;
      far = std::move(end);
    } else {
      auto end = std::make_unique<PtyEnd>();
      ASSERT_TRUE(end->pty.Ok());
      q.registry.SaveSetting("Ports", "COM2", end->pty.SlavePath());
      q.serial.CommPort = 2;
      ASSERT_TRUE(q.serial.SetPortOpen(true)) << q.serial.LastError();
      far = std::move(end);
    }
  }

  LiveConsole q;
  std::unique_ptr<FarEnd> far;
};

TEST_P(LiveLineNoise, AFloodKeepsMemoryBoundedTheConsoleAnsweringAndReportsFound) {
  const Road road = GetParam();
  auto& st = q.console.st;
  std::string noise(4 * kMB, '\0');
  std::mt19937 gen(11);
  for (char& b : noise) b = static_cast<char>(gen() & 0xFF);

  const std::size_t before = ResidentBytes();
  std::size_t most = before;
  std::size_t most_held = 0;  // the most RxText or the port held
  std::size_t sent = 0;
  double longest_gap_ms = 0;
  bool flooding = true;
  const auto started = SteadyClock::now();
  const double cpu_before = CpuMs();
  auto last_tick = SteadyClock::now();

  // The flood: as much as the line takes, whenever it takes more.
  far->WhenWritable([&] {
    for (int i = 0; flooding && i < 16; ++i) {
      const std::size_t from = sent % (noise.size() - 65536);
      const std::size_t n = far->Send(std::string_view(noise).substr(from, 65536));
      sent += n;
      if (n == 0) break;
    }
  });
  // The watcher: memory, what the link holds, and how late the event loop
  // answers a 100 ms timer.
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    const auto now = SteadyClock::now();
    longest_gap_ms = std::max(longest_gap_ms, ElapsedMs(last_tick) - 100);
    last_tick = now;
    most = std::max(most, ResidentBytes());
    most_held = std::max({most_held, st.RxText.size(), st.TcpRxText.size(),
                          static_cast<std::size_t>(q.serial.InBufferCount())});
    if (ElapsedMs(started) > FloodSeconds() * 1000.0 || most - before > kGiveUp) {
      flooding = false;
      far->Quiet();
      st.StopReceive = true;
    }
  });
  watcher.start(100);
  if (road.loop_runs)
    lnk::ReceiveLoop(q.console);
  else
    RunUntil(q.rt, [&] { return !flooding; }, FloodSeconds() * 1000 + 5000);
  far->Quiet();
  watcher.stop();
  const double seconds = ElapsedMs(started) / 1000.0;
  const double cpu = (CpuMs() - cpu_before) / 1000.0;
  std::printf("%s: %.1f MB in %.1f s (%.1f MB/s); resident %.1f MB before, %.1f MB at most "
              "(+%.1f MB); processor %.2f s, %.1f ns a byte; event loop late by %.0f ms at most\n",
              road.name, static_cast<double>(sent) / kMB, seconds,
              static_cast<double>(sent) / kMB / seconds, static_cast<double>(before) / kMB,
              static_cast<double>(most) / kMB, static_cast<double>(most - before) / kMB, cpu,
              sent > 0 ? cpu * 1e9 / static_cast<double>(sent) : 0.0, longest_gap_ms);

  // Under a modal box the line holds the sender back once the port is full.
  EXPECT_GT(sent, road.loop_runs ? kMB : platform::kInputHeld) << "the flood got through";
  EXPECT_LT(most - before, kMemoryBound);
  EXPECT_LE(most_held, road.tcp ? 2 * platform::kInputHeld : platform::kInputHeld);
  EXPECT_LT(longest_gap_ms, 500) << "the console kept answering";

  // After the flood the line carries a call-in: it is found behind the noise.
  st.StopReceive = false;
  std::string report = kReport;
  QTimer sender;
  QObject::connect(&sender, &QTimer::timeout, [&] { report.erase(0, far->Send(report)); });
  sender.start(10);
  app::frmAlarm* alarm = nullptr;
  QTimer finder;
  const auto looking = SteadyClock::now();
  QObject::connect(&finder, &QTimer::timeout, [&] {
    for (app::frmAlarm* w : testkit::AlarmWindows(q.console))
      if (w->Visible()) alarm = w;
    if (alarm != nullptr || ElapsedMs(looking) > 20'000) st.StopReceive = true;
  });
  finder.start(50);
  lnk::ReceiveLoop(q.console);
  finder.stop();
  sender.stop();
  ASSERT_NE(alarm, nullptr) << "no alarm window after the flood";
  EXPECT_EQ(alarm->txtSite.Text() + " " + alarm->txtTime.Text(), "12 14 : 30");
}

INSTANTIATE_TEST_SUITE_P(
    Roads, LiveLineNoise,
    ::testing::Values(Road{"cable, idle loop", false, true}, Road{"cable, modal box", false, false},
                      Road{"network, idle loop", true, true}, Road{"network, modal box", true, false}),
    [](const ::testing::TestParamInfo<Road>& road) {
      return std::string(road.param.tcp ? "Network" : "Cable") +
             (road.param.loop_runs ? "IdleLoop" : "ModalBox");
    });

}  // namespace
}  // namespace qttest
