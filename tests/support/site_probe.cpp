#include "site_probe.h"

#include "link/command_table.h"
#include "link/v4_packet.h"

namespace testkit {

namespace {

sim::UnitConfig WithClockAt(sim::UnitConfig config, vb::DateTime start) {
  if (!config.clock) config.clock = ClockAt(start);
  return config;
}

}  // namespace

SiteProbe::SiteProbe(sim::UnitConfig config, vb::DateTime start)
    : rt(start), scheduler(rt), site(scheduler, WithClockAt(std::move(config), start)) {
  site.SetConsoleSink([this](std::string_view bytes) {
    received_.append(bytes);
    arrivals_.push_back(TimedBytes{rt.Now(), std::string(bytes)});
  });
}

sim::HayesModem& SiteProbe::AddModem(sim::ModemConfig config) {
  site.AddModem(std::move(config));
  return *site.Modem();
}

void SiteProbe::Send(std::string_view bytes) { site.FromConsole(bytes); }

void SiteProbe::Type(std::string_view text, std::int64_t gap_ms) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    rt.After(static_cast<std::int64_t>(i) * gap_ms, [this, c] { site.FromConsole(std::string_view(&c, 1)); });
  }
}

void SiteProbe::TypeDump() {
  Send("D");
  const std::string tail = "\r" + std::string(lnk::kAccessCode, lnk::kAccessCodeLength) + "\r";
  rt.After(50, [this, tail] { site.FromConsole(tail); });
}

void SiteProbe::SendV4(std::uint16_t address, std::string_view payload) {
  std::string wire;
  lnk::SendV4Packet([&wire](std::string_view bytes) { wire.append(bytes); }, address, payload);
  Send(wire);
}

bool SiteProbe::RunUntilReceived(std::string_view needle, std::int64_t max_ms) {
  return rt.RunUntil([this, needle] { return received_.find(needle) != std::string::npos; }, max_ms);
}

std::string SiteProbe::Take() {
  std::string out;
  out.swap(received_);
  return out;
}

}  // namespace testkit
