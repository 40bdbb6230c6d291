#include "site.h"

namespace sim {

Site::Site(Scheduler& scheduler, UnitConfig unit_config)
    : scheduler_(scheduler), unit_(scheduler, std::move(unit_config)), call_timer_(scheduler) {
  Wire();
}

void Site::AddModem(ModemConfig config) {
  modem_config_ = config;
  modem_ = std::make_unique<HayesModem>(scheduler_, std::move(config));
  Wire();
}

void Site::SetConsoleSink(ByteSink sink) {
  console_ = std::move(sink);
  Wire();
}

void Site::Wire() {
  // Through a lambda, so a sink set later is used.
  ByteSink to_console = [this](std::string_view bytes) {
    if (console_) console_(bytes);
  };
  if (!modem_) {
    unit_.SetOutput(to_console);
    return;
  }
  modem_->SetConsoleSink(to_console);
  modem_->SetLine([this](std::string_view bytes) { unit_.Receive(bytes); },
                  [this] {
                    call_timer_.Cancel();
                    unit_.LineDropped();
                  });
  unit_.SetOutput([this](std::string_view bytes) { modem_->FromLine(bytes); });
}

void Site::FromConsole(std::string_view bytes) {
  if (modem_)
    modem_->FromConsole(bytes);
  else
    unit_.Receive(bytes);
}

bool Site::StartAlarmCall() {
  if (!modem_) {
    unit_.SendAlarmReport();
    return true;
  }
  return modem_->IncomingCall([this] {
    call_timer_.ArmAfter(modem_config_.report_delay_ms, [this] {
      unit_.SendAlarmReport();
      call_timer_.ArmAt(unit_.OutputIdleAtMs() + modem_config_.hang_up_delay_ms, [this] {
        unit_.LineDropped();
        modem_->RemoteHangUp();
      });
    });
  });
}

}  // namespace sim
