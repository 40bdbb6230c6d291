// A timer control: raises Timer every Interval ms while Enabled and
// Interval > 0, counted on the runtime's steady clock. Enabling it (or
// changing the interval) restarts the count.
// The runtime schedules it; a handler that is still running is not entered
// again by the same timer.
#pragma once

#include "ui/control.h"
#include "ui/event.h"

namespace ui {

class Timer : public Control {
 public:
  Timer(Form& owner, std::string name, int index = -1);
  ~Timer() override;
  ControlKind Kind() const override { return ControlKind::Timer; }

  Property<int> Interval{this, Prop::Interval, 0};

  Event<> Tick;  // the original's Timer event

  bool Running() const { return Enabled() && Interval() > 0; }
  // Called by the runtime when the interval has passed.
  void Fire();
  bool InHandler() const { return in_handler_; }

  // Restart as the program does it: disable, set the interval, enable.
  void Restart(int interval_ms);
  void Stop();  // disabled, interval 0

 protected:
  void OnPropertyChanged(Prop which) override;

 private:
  bool in_handler_ = false;
};

}  // namespace ui
