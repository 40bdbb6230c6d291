// CPU time the Qt runtime uses while the program waits in WaitEvents for
// 10 s with a 50 ms timer running (an open session that is idle): the
// process's user + system seconds from getrusage, and the timer's ticks.
#include <sys/resource.h>

#include <QApplication>
#include <chrono>
#include <cstdio>

#include "qt/qt_runtime.h"
#include "ui/controls.h"

namespace {

class IdleForm : public ui::Form {
 public:
  explicit IdleForm(ui::Runtime& rt) : ui::Form(rt, "frmIdle") {
    tmrPoll.Tick = [this] { ++ticks; };
  }
  ui::Timer tmrPoll{*this, "tmrPoll"};
  long ticks = 0;
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr int kWaitMs = 10000;
  qtui::QtRuntime rt;
  IdleForm form(rt);
  form.tmrPoll.Restart(50);

  long waits = 0;
  const double cpu_before = CpuSeconds();
  const auto wall_before = std::chrono::steady_clock::now();
  const vb::DateTime until = rt.Now() + kWaitMs;
  while (rt.Now() < until) {
    rt.WaitEvents(until);
    ++waits;
  }
  const double cpu = CpuSeconds() - cpu_before;
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_before).count();

  std::printf("qt_idle_cpu: waited %.2f s in WaitEvents with a 50 ms timer\n", wall);
  std::printf("  cpu seconds   %.4f (%.3f%% of one core)\n", cpu, 100.0 * cpu / wall);
  std::printf("  timer ticks   %ld (expected about %d)\n", form.ticks, kWaitMs / 50);
  std::printf("  wait calls    %ld\n", waits);
  return 0;
}
