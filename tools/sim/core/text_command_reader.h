// Assembles the text commands a unit understands from the bytes the console
// paces out one by one (50 ms apart):
//   "U", "V", "L"             status lines and the data log
//   "Pp", "Mm", "Uo"          site log and two commands the console never starts
//   "Rr", "Rd", "Ri", "Rh"    memory, data-log, PV/load and battery AH resets
//   "Cr", "Ce"                counter reset, equalisation charge
//   "Tt" f nn                 one clock field (f one of Y M D h m s d, nn two digits)
//   "Ss" aaa vvv              one parameter byte (three digits each)
//   "D" CR code CR            parameter dump, only with the eight-byte access code
// Case matters. A carriage return or line feed between commands is ignored.
// "U" is taken once no "o" has followed it within ambiguity_ms. A byte that
// cannot continue the command in progress drops it and is read afresh; a
// command left unfinished for gap_ms is dropped.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "scheduler.h"

namespace sim {

class TextCommandReader {
 public:
  // A whole command as sent; the dump command is reported as "D" once its
  // access code has matched.
  using CommandHandler = std::function<void(const std::string& command)>;
  // Bytes dropped, and why.
  using RejectHandler = std::function<void(const std::string& why)>;

  static constexpr std::int64_t kGapMs = 1000;
  static constexpr std::int64_t kAmbiguityMs = 120;

  TextCommandReader(Scheduler& scheduler, CommandHandler on_command, RejectHandler on_reject);

  void Put(unsigned char byte);
  // Inside the access code, whose bytes are all 0xA2 or above.
  bool WantsHighBytes() const;
  bool Idle() const { return pending_.empty(); }
  // Drops a command in progress (with a reason) or silently.
  void Abort(const std::string& why);
  void Reset();

 private:
  enum class Fit { kWhole, kPrefix, kNone };
  Fit Classify(const std::string& candidate) const;
  void Start(unsigned char byte);
  void Emit(const std::string& command);
  void ArmGap();

  CommandHandler on_command_;
  RejectHandler on_reject_;
  OneShotTimer gap_timer_;
  std::string pending_;
};

// Printable form of bytes for logs: control and high bytes as <0D>, <A7>.
std::string Printable(std::string_view bytes);

}  // namespace sim
