#include "text_command_reader.h"


#include "link/command_table.h"

namespace sim {

namespace {

constexpr std::string_view kTwoLetterCommands[] = {"Pp", "Mm", "Uo", "Rr", "Rd",
                                                   "Ri", "Rh", "Cr", "Ce"};
constexpr std::string_view kClockFields = "YMDhmsd";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view s) {
  for (char c : s)
    if (!IsDigit(c)) return false;
  return true;
}

}  // namespace

std::string Printable(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F) {
      out.push_back(ch);
    } else {
      out += '<';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
      out += '>';
    }
  }
  return out;
}

TextCommandReader::TextCommandReader(Scheduler& scheduler, CommandHandler on_command,
                                     RejectHandler on_reject)
    : on_command_(std::move(on_command)),
      on_reject_(std::move(on_reject)),
      gap_timer_(scheduler) {}

bool TextCommandReader::WantsHighBytes() const {
  // "D", CR, then the eight code bytes.
  return pending_.size() >= 2 && pending_.size() < 2 + lnk::kAccessCodeLength &&
         pending_[0] == 'D';
}

void TextCommandReader::Abort(const std::string& why) {
  if (pending_.empty()) return;
  const std::string dropped = pending_;
  Reset();
  if (!why.empty()) on_reject_(why + ": " + Printable(dropped));
}

void TextCommandReader::Reset() {
  pending_.clear();
  gap_timer_.Cancel();
}

TextCommandReader::Fit TextCommandReader::Classify(const std::string& c) const {
  const std::size_t n = c.size();
  switch (c[0]) {
    case 'U':
      return n == 1 ? Fit::kPrefix : c == "Uo" ? Fit::kWhole : Fit::kNone;
    case 'V':
    case 'L':
      return n == 1 ? Fit::kWhole : Fit::kNone;
    case 'P':
    case 'M':
    case 'R':
    case 'C':
      if (n == 1) return Fit::kPrefix;
      for (std::string_view w : kTwoLetterCommands)
        if (c == w) return Fit::kWhole;
      return Fit::kNone;
    case 'T':
      if (n == 1) return Fit::kPrefix;
      if (c[1] != 't') return Fit::kNone;
      if (n == 2) return Fit::kPrefix;
      if (kClockFields.find(c[2]) == std::string_view::npos) return Fit::kNone;
      if (!AllDigits(std::string_view(c).substr(3)) || n > 5) return Fit::kNone;
      return n == 5 ? Fit::kWhole : Fit::kPrefix;
    case 'S':
      if (n == 1) return Fit::kPrefix;
      if (c[1] != 's') return Fit::kNone;
      if (!AllDigits(std::string_view(c).substr(2)) || n > 8) return Fit::kNone;
      return n == 8 ? Fit::kWhole : Fit::kPrefix;
    case 'D':
      if (n == 1) return Fit::kPrefix;
      if (c[1] != '\r') return Fit::kNone;
      if (n < 2 + static_cast<std::size_t>(lnk::kAccessCodeLength) + 1) return Fit::kPrefix;
      if (c.back() != '\r') return Fit::kNone;
      return Fit::kWhole;
    default:
      return Fit::kNone;
  }
}

void TextCommandReader::Put(unsigned char byte) {
  if (pending_.empty()) {
    Start(byte);
    return;
  }
  std::string candidate = pending_ + static_cast<char>(byte);
  switch (Classify(candidate)) {
    case Fit::kWhole:
      Reset();
      Emit(candidate);
      return;
    case Fit::kPrefix:
      pending_ = std::move(candidate);
      ArmGap();
      return;
    case Fit::kNone:
      if (pending_ == "U") {
        // "U" was whole after all: the next byte starts something new.
        Reset();
        Emit("U");
      } else {
        Abort("command broken off");
      }
      Start(byte);
      return;
  }
}

void TextCommandReader::Start(unsigned char byte) {
  if (byte == '\r' || byte == '\n') return;
  const std::string first(1, static_cast<char>(byte));
  switch (Classify(first)) {
    case Fit::kWhole:
      Emit(first);
      return;
    case Fit::kPrefix:
      pending_ = first;
      if (byte == 'U') {
        gap_timer_.ArmAfter(kAmbiguityMs, [this] {
          pending_.clear();
          Emit("U");
        });
      } else {
        ArmGap();
      }
      return;
    case Fit::kNone:
      on_reject_("not a command: " + Printable(first));
      return;
  }
}

void TextCommandReader::ArmGap() {
  gap_timer_.ArmAfter(kGapMs, [this] {
    const std::string dropped = pending_;
    pending_.clear();
    on_reject_("unfinished command: " + Printable(dropped));
  });
}

void TextCommandReader::Emit(const std::string& command) {
  if (command[0] != 'D') {
    on_command_(command);
    return;
  }
  const std::string_view code(command.data() + 2, static_cast<std::size_t>(lnk::kAccessCodeLength));
  if (code != std::string_view(lnk::kAccessCode, static_cast<std::size_t>(lnk::kAccessCodeLength))) {
    on_reject_("dump refused, wrong access code: " + Printable(command));
    return;
  }
  on_command_("D");
}

}  // namespace sim
