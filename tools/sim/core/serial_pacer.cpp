#include "serial_pacer.h"

#include <algorithm>
#include <cmath>

namespace sim {

SerialPacer::SerialPacer(Scheduler& scheduler, double ms_per_char, std::size_t max_chunk)
    : scheduler_(scheduler),
      timer_(scheduler),
      ms_per_char_(ms_per_char > 0 ? ms_per_char : 0),
      max_chunk_(max_chunk > 0 ? max_chunk : 1) {}

void SerialPacer::Send(std::string_view bytes) {
  if (bytes.empty()) return;
  if (queue_.empty() && !timer_.Armed())
    line_free_at_ = std::max(line_free_at_, static_cast<double>(scheduler_.NowMs()));
  queue_.append(bytes);
  if (!timer_.Armed()) ScheduleChunk();
}

void SerialPacer::Discard() {
  queue_.clear();
  timer_.Cancel();
  chunk_ = 0;
}

std::int64_t SerialPacer::IdleAtMs() const {
  const double end = line_free_at_ + static_cast<double>(queue_.size()) * ms_per_char_;
  return std::max(scheduler_.NowMs(), static_cast<std::int64_t>(std::ceil(end)));
}

void SerialPacer::ScheduleChunk() {
  chunk_ = std::min(max_chunk_, queue_.size());
  const double done = line_free_at_ + static_cast<double>(chunk_) * ms_per_char_;
  timer_.ArmAt(static_cast<std::int64_t>(std::ceil(done)), [this] { SendChunk(); });
}

void SerialPacer::SendChunk() {
  std::string chunk = queue_.substr(0, chunk_);
  queue_.erase(0, chunk_);
  line_free_at_ += static_cast<double>(chunk.size()) * ms_per_char_;
  if (!queue_.empty()) ScheduleChunk();
  // Last: the sink may feed a peer that answers at once.
  if (sink_) sink_(chunk);
}

}  // namespace sim
