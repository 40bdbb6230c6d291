#include "real_time_scheduler.h"

#include <algorithm>
#include <chrono>
#include <climits>

namespace simprog {

std::int64_t RealTimeScheduler::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RealTimeScheduler::PostAt(std::int64_t at_ms, std::function<void()> fn) {
  queue_.emplace(std::make_pair(at_ms, next_seq_++), std::move(fn));
}

int RealTimeScheduler::TimeoutMs() const {
  if (queue_.empty()) return -1;
  const std::int64_t wait = queue_.begin()->first.first - NowMs();
  return static_cast<int>(std::clamp<std::int64_t>(wait, 0, INT_MAX));
}

void RealTimeScheduler::RunDue() {
  const std::int64_t now = NowMs();
  while (!queue_.empty() && queue_.begin()->first.first <= now) {
    auto node = queue_.extract(queue_.begin());
    node.mapped()();
  }
}

}  // namespace simprog
