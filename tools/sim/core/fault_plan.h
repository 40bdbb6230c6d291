// Faults a simulated unit can be told to make. Counters count the replies
// still to be spoilt; -1 spoils every reply from now on, 0 none.
//
// For each reply the faults apply in this order: a spoilt check (only to a
// reply that carries one: a V4 packet, or a status line or dump of firmware
// 32116 and later), then dropping (the command still takes effect, only its
// answer is lost), then a late start, then garbage in front.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace sim {

struct FaultPlan {
  int bad_crc_replies = 0;
  // In a checked text dump, the line whose check is spoilt (the whole reply
  // counts as one spoilt reply).
  int bad_crc_dump_address = 0;
  int dropped_replies = 0;
  int slow_replies = 0;
  std::int64_t slow_reply_ms = 0;  // added to the reply delay of a slow reply
  int garbage_replies = 0;
  std::string garbage = "~#%";
  // Addresses a text dump leaves out: address -> dumps still to leave it
  // out (-1: every dump).
  std::map<int, int> missing_dump_addresses{};
  // The link is cut once the unit has taken this many more commands (0:
  // never): it still answers the last one, then hears nothing more.
  int commands_before_cut = 0;

  // Each takes one reply's worth of a fault: true when this reply gets it.
  bool TakeBadCrc() { return Take(bad_crc_replies); }
  bool TakeDropped() { return Take(dropped_replies); }
  bool TakeSlow() { return Take(slow_replies); }
  bool TakeGarbage() { return Take(garbage_replies); }
  // Counts one command taken: true when it is the last before the cut.
  bool TakeCommandBeforeCut();
  // The addresses to leave out of the dump being built now.
  std::set<int> TakeMissingDumpAddresses();

 private:
  static bool Take(int& counter);
};

}  // namespace sim
