#include "unit.h"

#include <algorithm>
#include <stdexcept>

#include "text_replies.h"
#include "v4_frame.h"
#include "v4_replies.h"

namespace sim {

namespace {

UnitConfig Checked(UnitConfig config) {
  const std::string problems = ConfigProblems(config);
  if (!problems.empty()) throw std::invalid_argument(problems);
  return config;
}

int Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

int Digits(const std::string& s, std::size_t pos, std::size_t n) { return std::stoi(s.substr(pos, n)); }

}  // namespace

Unit::Unit(Scheduler& scheduler, UnitConfig config)
    : config_(Checked(std::move(config))),
      poster_(scheduler),
      pacer_(scheduler, config_.ms_per_char),
      clock_(scheduler, config_.clock.value_or(ClockTime{})),
      memory_(FactoryMemory(config_)),
      address_(config_.address),
      status_(TypicalStatus(config_.system_volts, CapacityAhOf(memory_))),
      status_at_ms_(scheduler.NowMs()),
      log_(TypicalDayLog(clock_.Now(), config_.system_volts)),
      alarm_flags_(config_.alarm_flags),
      reader_(
          scheduler, [this](const std::string& command) { OnTextCommand(command); },
          [this](const std::string& why) { Reject(why); }) {}

void Unit::Receive(std::string_view bytes) {
  if (link_cut_) return;
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (reader_.WantsHighBytes()) {
      reader_.Put(c);
      continue;
    }
    if (c >= 0x80) {
      reader_.Abort("command broken off by a V4 frame");
      if (frame_.size() < kMaxFrameGroups * kGroupChars)
        frame_.push_back(ch);
      else
        frame_overflow_ = true;
      continue;
    }
    if (!frame_.empty() || frame_overflow_) {
      if (c == '\r') {
        OnFrameEnd();
        continue;
      }
      Reject("V4 frame broken off after " + std::to_string(frame_.size()) + " characters by " +
             Printable(std::string(1, ch)));
      frame_.clear();
      frame_overflow_ = false;
    }
    reader_.Put(c);
  }
}

void Unit::LineDropped() {
  ++line_generation_;
  last_reply_at_ms_ = 0;
  pacer_.Discard();
  reader_.Reset();
  frame_.clear();
  frame_overflow_ = false;
}

void Unit::SendAlarmReport() {
  Note("alarm report");
  pacer_.Send(AlarmReportText(address_, clock_.Now(), alarm_flags_));
}

void Unit::SetMemory(int address, int value) {
  if (address < 0 || address >= kMemorySize || value < 0 || value > 255)
    throw std::out_of_range("parameter address 0..300 and value 0..255");
  WriteBytes(address, std::string(1, static_cast<char>(value)));
}

// ---- text commands -------------------------------------------------------

void Unit::OnTextCommand(const std::string& command) {
  if (command[0] == 'T') {
    if (!clock_.SetField(command[2], Digits(command, 3, 2))) {
      Reject("clock field out of range: " + command);
      return;
    }
  } else if (command[0] == 'S') {
    const int address = Digits(command, 2, 3);
    const int value = Digits(command, 5, 3);
    if (address >= kMemorySize || value > 255 ||
        !WriteBytes(address, std::string(1, static_cast<char>(value)))) {
      Reject("parameter write out of range: " + command);
      return;
    }
  }
  Taken(command);

  if (command == "U") {
    Answer(ULine());
  } else if (command == "V") {
    Answer(VLine());
  } else if (command == "D") {
    AnswerDump();
  } else if (command == "L") {
    Answer(DayLogLines(log_));
  } else if (command == "Pp") {
    Answer(SiteLogText(address_, log_));
  } else {
    RefreshStatus();
    if (command == "Rr") {
      ResetMemoryRecords();
    } else if (command == "Rd") {
      log_ = DayLog{};
    } else if (command == "Ri") {
      status_.ah_in = status_.ah_out = 0;
    } else if (command == "Rh") {
      status_.ah_net = 0;
    } else if (command == "Cr") {
      status_.ah_in = status_.ah_out = status_.ah_net = 0;
    } else if (command == "Ce") {
      status_.equalize = true;
    }
    // "Mm", "Uo", "Tt..." and "Ss..." have done their work above.
    Answer(Acknowledgement(command));
  }
}

// ---- V4 packets ------------------------------------------------------------

void Unit::OnFrameEnd() {
  std::string chars;
  chars.swap(frame_);
  const bool overflow = frame_overflow_;
  frame_overflow_ = false;
  if (overflow) return Reject("V4 frame longer than 50 groups");
  if (config_.dialect == Dialect::kText) return Reject("V4 frame ignored by a text unit");
  std::string why;
  const auto content = DecodeV4Frame(chars, &why);
  if (!content) return Reject("V4 frame refused: " + why);
  const int to = Byte(*content, 0) * 256 + Byte(*content, 1);
  if (to != address_ && to != kBroadcastAddress)
    return Reject("V4 frame for address " + std::to_string(to) + " ignored");
  OnV4Payload(static_cast<std::uint16_t>(to), std::string_view(*content).substr(2));
}

void Unit::OnV4Payload(std::uint16_t to, std::string_view p) {
  // The payload's own length n, known from its first bytes; the rest of the
  // frame must be exactly the zero padding that length calls for.
  std::string name;
  if (p.substr(0, 5) == "Reset" || p.substr(0, 4) == "Init") {
    name = std::string(p.substr(0, p[0] == 'R' ? 5 : 4));
  } else if (!p.empty() && (p[0] == 'D' || p[0] == 'T' || p[0] == 'S')) {
    name = std::string(1, p[0]);
  } else {
    return Reject("V4 payload not understood: " + Printable(p.substr(0, 8)));
  }
  std::size_t n = name.size();
  if (name == "T") n = 8;
  if (name == "S") {
    if (p.size() < 2 || Byte(p, 1) == 0) return Reject("V4 S payload without a count");
    n = 4 + static_cast<std::size_t>(Byte(p, 1));
  }
  if (p.size() != n + FramePadding(2 + n) ||
      p.find_first_not_of('\0', n) != std::string_view::npos)
    return Reject("V4 " + name + " payload of the wrong length or padding");

  if (name == "T") {
    if (!clock_.SetAll(Byte(p, 1), Byte(p, 2), Byte(p, 3), Byte(p, 4), Byte(p, 5), Byte(p, 6),
                       Byte(p, 7)))
      return Reject("V4 T clock field out of range");
  } else if (name == "S") {
    if (!WriteBytes(Byte(p, 2) * 256 + Byte(p, 3), p.substr(4, n - 4)))
      return Reject("V4 S write past address 300");
  }
  packet_addresses_.push_back(to);
  Taken("V4 " + name);

  if (name == "D") return AnswerDump();
  RefreshStatus();
  std::string ack = name;
  if (name == "S") ack = std::string(p.substr(0, 4));
  if (name == "Reset") ResetMemoryRecords();
  AnswerV4(ack, faults_.TakeBadCrc());
  if (name == "Init") FactoryInitialise();
}

// ---- replies ---------------------------------------------------------------

void Unit::Answer(std::string reply) {
  if (faults_.TakeDropped()) {
    Note("reply dropped");
    return;
  }
  std::int64_t delay = config_.reply_delay_ms;
  if (faults_.TakeSlow()) delay += faults_.slow_reply_ms;
  if (faults_.TakeGarbage()) reply = faults_.garbage + reply;
  const std::int64_t at = std::max(poster_.NowMs() + delay, last_reply_at_ms_);
  last_reply_at_ms_ = at;
  poster_.At(at, [this, r = std::move(reply), generation = line_generation_] {
    if (generation == line_generation_) pacer_.Send(r);
  });
}

void Unit::AnswerV4(const std::string& content, bool bad_crc) {
  Answer(EncodeV4Frame(content, bad_crc));
}

void Unit::AnswerDump() {
  RefreshStatus();
  if (config_.dialect == Dialect::kV4) {
    AnswerV4(DumpPacketContent(memory_, clock_.Now(), status_, FirmwareVersion(),
                               StateOfChargeCentipercent(status_, CapacityAhOf(memory_))),
             faults_.TakeBadCrc());
    return;
  }
  const std::set<int> missing = faults_.TakeMissingDumpAddresses();
  const LineCheck check{CheckedLines(), CheckedLines() && faults_.TakeBadCrc()};
  Answer(TextDump(memory_, config_.text_dump_last_address, missing, check,
                  faults_.bad_crc_dump_address));
}

std::string Unit::ULine() {
  RefreshStatus();
  const LineCheck check{CheckedLines(), CheckedLines() && faults_.TakeBadCrc()};
  return StatusULine(clock_.Now(), status_, FirmwareVersion(),
                     StateOfChargeCentipercent(status_, CapacityAhOf(memory_)), check);
}

std::string Unit::VLine() {
  RefreshStatus();
  const LineCheck check{CheckedLines(), CheckedLines() && faults_.TakeBadCrc()};
  return StatusVLine(status_, check);
}

// ---- state -----------------------------------------------------------------

void Unit::RefreshStatus() {
  const std::int64_t now = poster_.NowMs();
  RunAmpHours(status_, static_cast<double>(now - status_at_ms_) / 3'600'000.0, CapacityAhOf(memory_));
  status_at_ms_ = now;
}

bool Unit::WriteBytes(int address, std::string_view bytes) {
  if (bytes.empty() || address < 0 || address + static_cast<int>(bytes.size()) > kMemorySize)
    return false;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    memory_[static_cast<std::size_t>(address) + i] = static_cast<std::uint8_t>(bytes[i]);
  const int last = address + static_cast<int>(bytes.size()) - 1;
  // The unit takes a new address once all three copies agree.
  if (last >= kUnitAddressCopies && address <= kUnitAddressCopies + 5)
    if (auto a = AddressOf(memory_)) address_ = *a;
  if (address <= kEqualizeRequest && last >= kEqualizeRequest && memory_[kEqualizeRequest] != 0)
    status_.equalize = true;
  return true;
}

void Unit::ResetMemoryRecords() {
  for (int a = 0; a < kMemorySize; ++a)
    if (IsMemoryRecordAddress(a)) memory_[static_cast<std::size_t>(a)] = 0;
  status_.ah_in = status_.ah_out = 0;
}

void Unit::FactoryInitialise() {
  // Serial number, firmware and address survive a factory initialisation.
  UnitConfig now = config_;
  now.firmware = FirmwareVersion();
  now.address = address_;
  const sim::Memory before = memory_;
  memory_ = FactoryMemory(now);
  for (int a = 0; a <= 2; ++a) memory_[static_cast<std::size_t>(a)] = before[static_cast<std::size_t>(a)];
}

void Unit::Taken(const std::string& command) {
  commands_.push_back(command);
  Note(command);
  if (faults_.TakeCommandBeforeCut()) {
    link_cut_ = true;
    Note("link cut");
  }
}

void Unit::Reject(const std::string& why) {
  rejections_.push_back(why);
  Note("refused: " + why);
}

void Unit::Note(const std::string& what) {
  if (on_note) on_note(what);
}

}  // namespace sim
