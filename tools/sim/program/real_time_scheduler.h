// The simulator's scheduler on the computer's monotonic clock, for a poll()
// loop: the loop waits until TimeoutMs() or until a descriptor is ready,
// then runs what is due.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "core/scheduler.h"

namespace simprog {

class RealTimeScheduler : public sim::Scheduler {
 public:
  std::int64_t NowMs() const override;
  void PostAt(std::int64_t at_ms, std::function<void()> fn) override;

  // Milliseconds until the next callback is due: 0 when one is due now,
  // -1 when nothing is queued.
  int TimeoutMs() const;
  // Runs every callback whose time has come, in time and posting order.
  void RunDue();

 private:
  std::map<std::pair<std::int64_t, std::uint64_t>, std::function<void()>> queue_;
  std::uint64_t next_seq_ = 0;
};

}  // namespace simprog
