#include "scheduler.h"

#include <utility>

namespace sim {

OneShotTimer::OneShotTimer(Scheduler& scheduler)
    : scheduler_(scheduler), state_(std::make_shared<State>()) {}

void OneShotTimer::ArmAt(std::int64_t at_ms, std::function<void()> fn) {
  State& s = *state_;
  const std::uint64_t generation = ++s.generation;
  s.armed = true;
  s.due_ms = at_ms;
  std::weak_ptr<State> weak = state_;
  scheduler_.PostAt(at_ms, [weak, generation, f = std::move(fn)] {
    auto state = weak.lock();
    if (!state || state->generation != generation || !state->armed) return;
    state->armed = false;  // before the call: the callback may arm again
    f();
  });
}

void OneShotTimer::ArmAfter(std::int64_t delay_ms, std::function<void()> fn) {
  ArmAt(scheduler_.NowMs() + delay_ms, std::move(fn));
}

void OneShotTimer::Cancel() {
  ++state_->generation;
  state_->armed = false;
}

GuardedPoster::GuardedPoster(Scheduler& scheduler)
    : scheduler_(scheduler), alive_(std::make_shared<char>(0)) {}

void GuardedPoster::At(std::int64_t at_ms, std::function<void()> fn) {
  std::weak_ptr<char> weak = alive_;
  scheduler_.PostAt(at_ms, [weak, f = std::move(fn)] {
    if (weak.lock()) f();
  });
}

}  // namespace sim
