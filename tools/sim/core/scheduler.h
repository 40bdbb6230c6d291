// The clock and event queue a simulated unit and modem run on, and the sink
// their bytes leave through. In the tests the scheduler is the virtual clock
// of the test runtime; in the vkx-sim program it is the wall clock of a
// poll() loop. Everything runs on the caller's one thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace sim {

// Bytes leaving a simulated device toward whatever is wired to it.
using ByteSink = std::function<void(std::string_view)>;

class Scheduler {
 public:
  virtual ~Scheduler() = default;
  // Milliseconds on a monotonic scale; only differences matter.
  virtual std::int64_t NowMs() const = 0;
  // Runs fn at at_ms, or as soon as possible when that time has passed.
  // Callbacks due at the same time run in the order they were posted.
  virtual void PostAt(std::int64_t at_ms, std::function<void()> fn) = 0;
};

// A re-armable single timer. Arming again or cancelling forgets the earlier
// callback; once the timer is destroyed its pending callback does nothing,
// so an owner may die while the scheduler still holds the event.
class OneShotTimer {
 public:
  explicit OneShotTimer(Scheduler& scheduler);

  void ArmAt(std::int64_t at_ms, std::function<void()> fn);
  void ArmAfter(std::int64_t delay_ms, std::function<void()> fn);
  void Cancel();
  bool Armed() const { return state_->armed; }
  std::int64_t DueMs() const { return state_->due_ms; }

 private:
  struct State {
    std::uint64_t generation = 0;
    bool armed = false;
    std::int64_t due_ms = 0;
  };
  Scheduler& scheduler_;
  std::shared_ptr<State> state_;
};

// Posts callbacks that are dropped once the poster is destroyed.
class GuardedPoster {
 public:
  explicit GuardedPoster(Scheduler& scheduler);

  void At(std::int64_t at_ms, std::function<void()> fn);
  void After(std::int64_t delay_ms, std::function<void()> fn) {
    At(NowMs() + delay_ms, std::move(fn));
  }
  std::int64_t NowMs() const { return scheduler_.NowMs(); }
  Scheduler& scheduler() const { return scheduler_; }

 private:
  Scheduler& scheduler_;
  std::shared_ptr<char> alive_;
};

}  // namespace sim
