#include "simulated_site.h"

#include <string>

namespace testkit {

void VirtualScheduler::PostAt(std::int64_t at_ms, std::function<void()> fn) {
  std::weak_ptr<char> alive = alive_;
  rt_.AtSteady(at_ms, [alive, f = std::move(fn)] {
    if (alive.lock()) f();
  });
}

sim::ClockTime ClockAt(vb::DateTime t) {
  return sim::ClockTime{vb::Year(t), vb::Month(t), vb::Day(t), vb::Hour(t), vb::Minute(t), vb::Second(t)};
}

namespace {

sim::UnitConfig WithClock(sim::UnitConfig config, vb::DateTime now) {
  if (!config.clock) config.clock = ClockAt(now);
  return config;
}

}  // namespace

SimulatedSite::SimulatedSite(ConsoleHarness& h, sim::UnitConfig config)
    : SimulatedSite(h.rt, h.serial, h.tcp, std::move(config)) {}

SimulatedSite::SimulatedSite(VirtualRuntime& rt, FakeSerialPort& serial, FakeTcpClient& tcp,
                             sim::UnitConfig config)
    : serial_(serial),
      tcp_(tcp),
      scheduler_(rt),
      site_(scheduler_, WithClock(std::move(config), rt.Now())) {}

SimulatedSite::~SimulatedSite() {
  // The console may still write while it shuts down; nobody is listening.
  serial_.peer = nullptr;
  tcp_.peer = nullptr;
}

void SimulatedSite::AttachSerial(bool modem, sim::ModemConfig modem_config) {
  if (modem && site_.Modem() == nullptr) site_.AddModem(std::move(modem_config));
  tcp_.peer = nullptr;
  serial_.peer = [this](std::string_view bytes) { site_.FromConsole(bytes); };
  site_.SetConsoleSink([this](std::string_view bytes) { serial_.Deliver(std::string(bytes)); });
}

void SimulatedSite::AttachTcp() {
  serial_.peer = nullptr;
  tcp_.peer = [this](std::string_view bytes) { site_.FromConsole(bytes); };
  site_.SetConsoleSink([this](std::string_view bytes) { tcp_.Deliver(std::string(bytes)); });
}

}  // namespace testkit
