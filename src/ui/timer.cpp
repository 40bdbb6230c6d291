#include "ui/timer.h"

#include "ui/form.h"
#include "ui/runtime.h"

namespace ui {

Timer::Timer(Form& owner, std::string name, int index) : Control(owner, std::move(name), index) {
  Enabled.Init(false);
}

Timer::~Timer() { Owner().Rt().TimerDestroyed(*this); }

void Timer::OnPropertyChanged(Prop which) {
  if (which == Prop::Enabled || which == Prop::Interval) Owner().Rt().TimerChanged(*this);
}

void Timer::Fire() {
  if (in_handler_ || !Running()) return;
  // Cleared however the handler ends, so a fault in it cannot stop the timer.
  struct InHandler {
    bool& flag;
    explicit InHandler(bool& f) : flag(f) { flag = true; }
    ~InHandler() { flag = false; }
  } guard(in_handler_);
  Tick();
}

void Timer::Restart(int interval_ms) {
  Enabled = false;
  Interval = interval_ms;
  Enabled = true;
}

void Timer::Stop() {
  Enabled = false;
  Interval = 0;
}

}  // namespace ui
