// The runtime of the tests: virtual time and a scripted operator.
// WaitEvents jumps straight to the next due timer, posted event or deadline,
// so a 65-second time-out runs in microseconds and is exact to the
// millisecond. Simulated ports and units post their byte arrivals here.
// Both clocks are modelled: the wall clock (Now) is the steady clock plus an
// offset that StepWallClock changes, as a time sync or daylight saving would;
// timers, posted events and deadlines run on the steady clock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "common/vb_date.h"
#include "scripted_operator.h"
#include "ui/runtime.h"

namespace testkit {

// Thrown to unwind a test whose program never stopped before the time limit.
struct VirtualTimeLimit {};

class VirtualRuntime : public ui::Runtime {
 public:
  explicit VirtualRuntime(vb::DateTime start = vb::MakeDateTime(2026, 3, 2, 10, 0, 0));
  ~VirtualRuntime() override;

  ScriptedOperator& Operator() { return operator_; }

  // Runs fn from the event loop at time t (or as soon as the loop runs, when
  // t has passed). Events at the same time run in the order posted.
  void At(vb::DateTime t, std::function<void()> fn) {
    AtSteady(t.ms - wall_offset_, std::move(fn));
  }
  void AtSteady(std::int64_t steady_ms, std::function<void()> fn);
  void After(std::int64_t ms, std::function<void()> fn) { AtSteady(now_.ms + ms, std::move(fn)); }
  // Moves the wall clock by ms (negative: back); the steady clock runs on.
  void StepWallClock(std::int64_t ms) { wall_offset_ += ms; }

  // Drives the event loop from outside the program (when no loop of the
  // program is running): until pred() holds or max_ms of virtual time pass.
  bool RunUntil(const std::function<bool()>& pred, std::int64_t max_ms);
  void RunFor(std::int64_t ms);

  // Virtual time may not pass `limit`; reaching it reports a failure, runs
  // the hook (which should make the program stop), and if virtual time goes
  // on past limit + 1 minute, throws VirtualTimeLimit.
  void SetTimeLimit(vb::DateTime limit, std::function<void()> hook = {});

  std::int64_t ElapsedMs() const { return now_ - start_; }
  bool QuitCalled() const { return quit_; }
  int BeepCount() const { return beeps_; }
  // How many texts the program had measured (TextWidth).
  long TextMeasures() const { return text_measures_; }
  // Every mouse pointer the program set, in order.
  const std::vector<int>& MousePointers() const { return pointers_; }
  // The timers running now, for assertions.
  bool IsScheduled(const ui::Timer& t) const;
  vb::DateTime DueTime(const ui::Timer& t) const;

  // ui::Runtime
  vb::DateTime Now() override { return vb::DateTime{now_.ms + wall_offset_}; }
  std::int64_t SteadyMs() override { return now_.ms; }
  void DoEvents() override;
  void WaitEvents(vb::DateTime until) override { WaitEventsSteady(until.ms - wall_offset_); }
  void WaitEventsSteady(std::int64_t until_ms) override;
  void ShowModal(ui::Form& form) override;
  std::string InputBox(std::string_view prompt, std::string_view title,
                       std::string_view default_text) override;
  std::string FileDialog(const ui::FileDialogRequest& request) override;
  void Beep() override { ++beeps_; }
  void SetMousePointer(int pointer) override { pointers_.push_back(pointer); }
  double TextWidth(std::string_view text, double font_size, bool bold) override;
  double TextHeight(double font_size) override;
  void TimerChanged(ui::Timer& timer) override;
  void TimerDestroyed(ui::Timer& timer) override;
  void FormCreated(ui::Form&) override {}
  void FormDestroyed(ui::Form&) override {}
  void FormVisibilityChanged(ui::Form&) override {}
  void Quit() override { quit_ = true; }

 protected:
  int ShowMsgBox(std::string_view prompt, int buttons, std::string_view title) override;

 private:
  bool RunOneDue();
  std::int64_t NextDue() const;  // ms, or INT64_MAX when nothing is scheduled
  void AdvanceTo(vb::DateTime t);

  vb::DateTime start_;
  vb::DateTime now_;  // the steady clock, on the wall clock's scale until a step
  std::int64_t wall_offset_ = 0;
  std::uint64_t seq_ = 0;
  std::map<std::tuple<std::int64_t, std::uint64_t>, std::function<void()>> posted_;
  std::map<ui::Timer*, std::int64_t> timers_;  // due time in ms
  ScriptedOperator operator_;
  vb::DateTime limit_;
  std::function<void()> limit_hook_;
  bool limit_reported_ = false;
  bool quit_ = false;
  int beeps_ = 0;
  long text_measures_ = 0;
  std::vector<int> pointers_;
};

}  // namespace testkit
