// Sends bytes at the pace of a serial line: a character takes ms_per_char
// (about 1.04 ms at 9600 baud, ten bits per character). Bytes are handed to
// the sink in chunks of up to max_chunk characters, each at the moment its
// last character has finished, so a reader sees a reply arrive in pieces as
// it would from a real port, without one event per character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "scheduler.h"

namespace sim {

class SerialPacer {
 public:
  SerialPacer(Scheduler& scheduler, double ms_per_char, std::size_t max_chunk = 16);

  void SetSink(ByteSink sink) { sink_ = std::move(sink); }
  // Queues bytes behind whatever is still going out.
  void Send(std::string_view bytes);
  // Forgets the bytes not yet sent (a line that drops).
  void Discard();
  bool Idle() const { return queue_.empty(); }
  // When the last queued character will have gone out (now when idle).
  std::int64_t IdleAtMs() const;

 private:
  void ScheduleChunk();
  void SendChunk();

  Scheduler& scheduler_;
  OneShotTimer timer_;
  ByteSink sink_;
  double ms_per_char_;
  std::size_t max_chunk_;
  std::string queue_;
  double line_free_at_ = 0;  // ms: the end of the last character handed out
  std::size_t chunk_ = 0;    // size of the chunk on its way
};

}  // namespace sim
