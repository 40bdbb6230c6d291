// An open session on the Qt build: the console sits in its receive loop on a
// network session to a unit on 127.0.0.1 that says nothing.
//   1. CPU used while the session is idle (default 30 s), next to the CPU a
//      busy-polling loop (yielding with DoEvents only, as the original did)
//      uses over the same time.
//   2. Time from the last byte of a status reply to the reply's handling,
//      with line counting on ("chkEnableEOT" = 1): the unit sends a "U" line
//      and the clock stops when the chained "V" command reaches it.
//
//   qt_session_idle [seconds]
#include <sys/resource.h>

#include <QApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/console.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/receive_loop.h"
#include "link/startup.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "qt/qt_runtime.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "temp_folder.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

using Clock = std::chrono::steady_clock;

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;

  testkit::TempFolder temp;
  platform::ProgramFolder folder(temp.Path());
  folder.EnsureSeeded(VKX_DATA_DIR);
  qtui::QtRuntime rt;
  platform::MemoryRegistry registry;
  qtui::QtSerialPort serial(registry);
  qtui::QtTcpClient tcp;
  app::Console c(app::Services{rt, registry, folder, serial, tcp});
  if (!lnk::Main(c)) return 1;

  QTcpServer server;
  server.listen(QHostAddress::LocalHost, 0);
  QTcpSocket* unit = nullptr;
  Clock::time_point reply_sent{};
  Clock::time_point next_command_seen{};
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    unit = server.nextPendingConnection();
    QObject::connect(unit, &QTcpSocket::readyRead, [&] {
      QByteArray got = unit->readAll();
      if (got.contains('V') && next_command_seen == Clock::time_point{}) next_command_seen = Clock::now();
    });
  });
  tcp.RemoteHost = "127.0.0.1";
  tcp.RemotePort = server.serverPort();
  tcp.Connect();
  while (tcp.State() != platform::sckConnected) rt.WaitEvents(rt.Now() + 100);
  c.st.UseTcp = true;
  c.st.Online = true;

  // 1. Idle in the receive loop.
  const auto stop_after = [&](int ms) {
    rt.WaitEvents(rt.Now() + 10);
    c.st.StopReceive = false;
    QTimer::singleShot(ms, [&] { c.st.StopReceive = true; });
  };
  stop_after(seconds * 1000);
  double cpu0 = CpuSeconds();
  auto wall0 = Clock::now();
  lnk::ReceiveLoop(c);
  double idle_cpu = CpuSeconds() - cpu0;
  double idle_wall = std::chrono::duration<double>(Clock::now() - wall0).count();

  // The same wait as a busy poll that only yields.
  bool stop = false;
  QTimer::singleShot(seconds * 1000, [&] { stop = true; });
  cpu0 = CpuSeconds();
  wall0 = Clock::now();
  while (!stop) rt.DoEvents();
  double busy_cpu = CpuSeconds() - cpu0;
  double busy_wall = std::chrono::duration<double>(Clock::now() - wall0).count();

  // 2. From the last byte of a "U" reply to its handling (the chained "V").
  c.st.CmdState = lnk::kStatusU;
  c.st.AutoNext = false;
  lnk::SendCommand(c);
  QTimer::singleShot(300, [&] {
    reply_sent = Clock::now();
    unit->write("U 26 03 02 0 10 00 00 1 1350 12 5 25 30 0 0 0\r\n");
    unit->flush();
  });
  QTimer::singleShot(3000, [&] { c.st.StopReceive = true; });
  lnk::ReceiveLoop(c);
  double latency_ms =
      next_command_seen == Clock::time_point{}
          ? -1
          : std::chrono::duration<double, std::milli>(next_command_seen - reply_sent).count();

  std::printf("qt_session_idle: network session open on 127.0.0.1, unit silent\n");
  std::printf("  receive loop (waits in WaitEvents): %.3f CPU s over %.1f s = %.3f%% of one core\n",
              idle_cpu, idle_wall, 100.0 * idle_cpu / idle_wall);
  std::printf("  busy-polling loop (DoEvents only):  %.3f CPU s over %.1f s = %.1f%% of one core\n",
              busy_cpu, busy_wall, 100.0 * busy_cpu / busy_wall);
  std::printf("  last byte of a U reply to its handling (EOT on): %.2f ms\n", latency_ms);
  return 0;
}
