// vkx-sim: a simulated VKX-4700 unit (and Hayes modem) served in real time
// on a pseudo-terminal or a loopback TCP port, for trying the console
// without hardware and for end-to-end tests. One thread, one poll() loop:
// it sleeps until a descriptor is ready or the next simulated event is due.
#include <poll.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/site.h"
#include "endpoint.h"
#include "options.h"
#include "real_time_scheduler.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

extern "C" void OnStopSignal(int) { g_stop = 1; }

// SIGINT and SIGTERM are blocked except inside ppoll, so a signal can never
// slip in between the check of g_stop and the wait.
sigset_t PrepareSignals() {
  struct sigaction stop {};
  stop.sa_handler = OnStopSignal;
  sigemptyset(&stop.sa_mask);
  sigaction(SIGINT, &stop, nullptr);
  sigaction(SIGTERM, &stop, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  sigset_t blocked, during_wait;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGINT);
  sigaddset(&blocked, SIGTERM);
  sigprocmask(SIG_BLOCK, &blocked, &during_wait);
  sigdelset(&during_wait, SIGINT);
  sigdelset(&during_wait, SIGTERM);
  return during_wait;
}

sim::ClockTime LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return sim::ClockTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                        local.tm_hour, local.tm_min, local.tm_sec};
}

void Log(const simprog::RealTimeScheduler& clock, const std::string& what) {
  static const std::int64_t start = clock.NowMs();
  std::fprintf(stderr, "%9.3f  %s\n", static_cast<double>(clock.NowMs() - start) / 1000.0, what.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  simprog::Options options = simprog::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!error.empty()) {
    std::fprintf(stderr, "vkx-sim: %s (--help lists the options)\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(simprog::kUsage, stdout);
    return 0;
  }
  const sigset_t wait_mask = PrepareSignals();

  simprog::RealTimeScheduler clock;
  if (!options.unit.clock) options.unit.clock = LocalTimeNow();
  sim::Site site(clock, options.unit);
  if (options.modem) site.AddModem(options.modem_config);
  site.Unit().Faults() = options.faults;

  std::unique_ptr<simprog::Endpoint> endpoint;
  if (options.tcp_port) {
    auto tcp = std::make_unique<simprog::TcpEndpoint>();
    error = tcp->Open(*options.tcp_port);
    endpoint = std::move(tcp);
  } else {
    auto pty = std::make_unique<simprog::PtyEndpoint>();
    error = pty->Open();
    endpoint = std::move(pty);
  }
  if (!error.empty()) {
    std::fprintf(stderr, "vkx-sim: %s\n", error.c_str());
    return 1;
  }
  endpoint->on_bytes = [&site](std::string_view bytes) { site.FromConsole(bytes); };
  site.SetConsoleSink([&endpoint](std::string_view bytes) { endpoint->Write(bytes); });
  if (options.verbose) {
    auto note = [&clock](const std::string& what) { Log(clock, what); };
    site.Unit().on_note = note;
    if (site.Modem() != nullptr) site.Modem()->on_note = note;
    endpoint->on_note = note;
  }
  if (options.alarm_after_s) {
    clock.PostAt(clock.NowMs() + static_cast<std::int64_t>(*options.alarm_after_s * 1000), [&] {
      if (!site.StartAlarmCall()) Log(clock, "alarm call: the modem is busy");
    });
  }

  std::printf("%s\n", endpoint->Describe().c_str());
  std::fflush(stdout);

  std::vector<pollfd> fds;
  while (g_stop == 0) {
    fds.clear();
    endpoint->AddPollFds(fds);
    const int timeout = clock.TimeoutMs();
    timespec wait{timeout / 1000, (timeout % 1000) * 1'000'000L};
    const int ready = ppoll(fds.data(), fds.size(), timeout < 0 ? nullptr : &wait, &wait_mask);
    if (ready < 0 && errno != EINTR) {
      std::perror("vkx-sim: ppoll");
      return 1;
    }
    if (ready > 0) endpoint->HandlePoll(fds.data());
    clock.RunDue();
  }
  return 0;
}
