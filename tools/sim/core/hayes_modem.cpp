#include "hayes_modem.h"

#include <algorithm>
#include <cctype>

namespace sim {

namespace {

constexpr int kRings = 0, kRingCount = 1, kEscapeChar = 2, kLineEnd = 3, kLineFeed = 4,
              kBackspace = 5, kCarrierWait = 7, kGuardTime = 12;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

std::string ThreeDigits(int v) {
  std::string s = std::to_string(v);
  return std::string(3 - std::min<std::size_t>(3, s.size()), '0') + s;
}

}  // namespace

HayesModem::HayesModem(Scheduler& scheduler, ModemConfig config)
    : config_(std::move(config)),
      poster_(scheduler),
      pacer_(scheduler, config_.ms_per_char),
      call_timer_(scheduler),
      ring_timer_(scheduler),
      escape_timer_(scheduler),
      registers_(256, 0) {
  FactorySettings();
}

void HayesModem::SetLine(ByteSink to_unit, std::function<void()> on_hang_up) {
  to_unit_ = std::move(to_unit);
  on_hang_up_ = std::move(on_hang_up);
}

void HayesModem::FactorySettings() {
  echo_ = true;
  quiet_ = false;
  verbose_ = true;
  const int rings_counted = registers_[kRingCount];
  std::fill(registers_.begin(), registers_.end(), 0);
  registers_[kRingCount] = rings_counted;
  registers_[kEscapeChar] = '+';
  registers_[kLineEnd] = '\r';
  registers_[kLineFeed] = '\n';
  registers_[kBackspace] = 8;
  registers_[kCarrierWait] = 50;
  registers_[kGuardTime] = 50;
}

std::int64_t HayesModem::GuardMs() const { return registers_[kGuardTime] * 20LL; }

// ---- from the console ------------------------------------------------------

void HayesModem::FromConsole(std::string_view bytes) {
  for (char c : bytes) {
    switch (state_) {
      case State::kDialing:
      case State::kAnswering:
        // Any character abandons a call being set up; the character is lost.
        call_timer_.Cancel();
        state_ = State::kCommand;
        Emit(Result::kNoCarrier);
        break;
      case State::kOnline:
        OnlineByte(c);
        break;
      case State::kCommand:
      case State::kOnlineCommand:
        CommandByte(c);
        break;
    }
  }
}

void HayesModem::CommandByte(char c) {
  if (echo_) pacer_.Send(std::string_view(&c, 1));
  if (static_cast<unsigned char>(c) == registers_[kLineEnd]) {
    std::string line;
    line.swap(line_);
    RunLine(line);
  } else if (static_cast<unsigned char>(c) == registers_[kBackspace]) {
    if (!line_.empty()) line_.pop_back();
  } else if (static_cast<unsigned char>(c) != registers_[kLineFeed]) {
    if (line_.size() >= 256) line_.clear();  // a runaway line is thrown away
    line_ += c;
  }
}

void HayesModem::RunLine(const std::string& line) {
  // The command starts at "AT" in either case; whatever came before is noise
  // (such as an escape sequence typed while off line).
  std::size_t at = std::string::npos;
  for (std::size_t i = 0; i + 1 < line.size(); ++i)
    if (Upper(line[i]) == 'A' && Upper(line[i + 1]) == 'T') {
      at = i;
      break;
    }
  if (at == std::string::npos) return;
  const std::string command = line.substr(at);
  lines_.push_back(command);
  Note("modem: " + command);

  bool pending = false;
  std::string info;
  if (!RunCommands(std::string_view(command).substr(2), &pending, &info)) {
    EmitLater(Result::kError);
  } else if (!pending) {
    if (!info.empty()) poster_.After(config_.command_delay_ms, [this, info] { EmitText(info); });
    EmitLater(Result::kOk);
  }
}

bool HayesModem::RunCommands(std::string_view commands, bool* pending, std::string* info) {
  std::size_t i = 0;
  // A number at i, or fallback when there are no digits there.
  auto number = [&](int fallback) {
    if (i >= commands.size() || !std::isdigit(static_cast<unsigned char>(commands[i])))
      return fallback;
    int v = 0;
    while (i < commands.size() && std::isdigit(static_cast<unsigned char>(commands[i])) && v < 1000)
      v = v * 10 + (commands[i++] - '0');
    return v;
  };
  while (i < commands.size()) {
    const char c = Upper(commands[i++]);
    switch (c) {
      case ' ':
        break;
      case 'E':
        echo_ = number(0) != 0;
        break;
      case 'Q':
        quiet_ = number(0) != 0;
        break;
      case 'V':
        verbose_ = number(0) != 0;
        break;
      case 'X':
      case 'L':
      case 'M':
        number(0);
        break;
      case 'Z':
        number(0);
        FactorySettings();
        break;
      case '&': {
        if (i >= commands.size()) return false;
        const char k = Upper(commands[i++]);
        number(0);
        if (k == 'F')
          FactorySettings();
        else if (std::string_view("CDKSW").find(k) == std::string_view::npos)
          return false;
        break;
      }
      case 'S': {
        const int r = number(-1);
        if (r < 0 || r > 255 || i >= commands.size()) return false;
        if (commands[i] == '=') {
          ++i;
          const int v = number(-1);
          if (v < 0 || v > 255) return false;
          registers_[static_cast<std::size_t>(r)] = v;
        } else if (commands[i] == '?') {
          ++i;
          *info += verbose_ ? "\r\n" + ThreeDigits(registers_[static_cast<std::size_t>(r)]) + "\r\n"
                           : ThreeDigits(registers_[static_cast<std::size_t>(r)]) + "\r\n";
        } else {
          return false;
        }
        break;
      }
      case 'H': {
        const int v = number(0);
        if (v > 1) return false;
        if (v == 0 && Carrier()) DropCarrier();
        break;
      }
      case 'D': {
        // The rest of the line is the dial string.
        if (Carrier()) return false;
        std::string digits;
        for (char d : commands.substr(i))
          if (std::isdigit(static_cast<unsigned char>(d))) digits += d;
        if (digits.empty()) return false;
        if (!info->empty()) EmitText(*info);
        Dial(digits);
        *pending = true;
        return true;
      }
      case 'A':
        if (!info->empty()) EmitText(*info);
        *pending = true;
        if (ringing_)
          Answer();
        else
          EmitLater(Result::kNoCarrier);
        return true;
      case 'O':
        number(0);
        if (state_ != State::kOnlineCommand) return false;
        if (!info->empty()) EmitText(*info);
        *pending = true;
        state_ = State::kOnline;
        plus_count_ = 0;
        last_data_ms_ = poster_.NowMs();
        EmitLater(Result::kConnect);
        return true;
      default:
        return false;
    }
  }
  return true;
}

void HayesModem::OnlineByte(char c) {
  const std::int64_t now = poster_.NowMs();
  const std::int64_t guard = GuardMs();
  if (guard > 0 && static_cast<unsigned char>(c) == registers_[kEscapeChar]) {
    const bool quiet_before = now - last_data_ms_ >= guard;
    if (plus_count_ > 0 && plus_count_ < 3 && now - last_plus_ms_ < guard)
      ++plus_count_;
    else
      plus_count_ = quiet_before ? 1 : 0;
    last_plus_ms_ = now;
  } else {
    plus_count_ = 0;
  }
  last_data_ms_ = now;
  if (plus_count_ == 3) {
    // Escaped only if the guard time then passes in silence.
    escape_timer_.ArmAt(now + guard, [this] {
      if (state_ != State::kOnline) return;
      state_ = State::kOnlineCommand;
      plus_count_ = 0;
      Note("modem: escaped to command mode");
      Emit(Result::kOk);
    });
  } else {
    escape_timer_.Cancel();
  }
  if (to_unit_) to_unit_(std::string_view(&c, 1));
}

// ---- the line --------------------------------------------------------------

void HayesModem::FromLine(std::string_view bytes) {
  if (state_ == State::kOnline) pacer_.Send(bytes);
}

void HayesModem::Dial(const std::string& digits) {
  dialled_.push_back(digits);
  Note("modem: dialling " + digits);
  auto known = config_.outcome_by_number.find(digits);
  const DialOutcome outcome = known != config_.outcome_by_number.end() ? known->second : config_.outcome;
  state_ = State::kDialing;
  auto give_up = [this](Result result) {
    return [this, result] {
      state_ = State::kCommand;
      Emit(result);
    };
  };
  switch (outcome) {
    case DialOutcome::kConnect:
      call_timer_.ArmAfter(config_.connect_delay_ms, [this] { GoOnline(); });
      break;
    case DialOutcome::kBusy:
      call_timer_.ArmAfter(config_.busy_delay_ms, give_up(Result::kBusy));
      break;
    case DialOutcome::kNoCarrier:
      call_timer_.ArmAfter(registers_[kCarrierWait] * 1000LL, give_up(Result::kNoCarrier));
      break;
    case DialOutcome::kNoAnswer:
      break;  // rings on; only a character from the console ends it
  }
}

void HayesModem::GoOnline() {
  Note("modem: carrier up");
  state_ = State::kOnline;
  plus_count_ = 0;
  last_data_ms_ = poster_.NowMs();
  Emit(Result::kConnect);
}

bool HayesModem::IncomingCall(std::function<void()> on_answered) {
  if (state_ != State::kCommand || ringing_) return false;
  ringing_ = true;
  registers_[kRingCount] = 0;
  on_answered_ = std::move(on_answered);
  Ring();
  return true;
}

void HayesModem::Ring() {
  if (!ringing_ || state_ != State::kCommand) {
    ringing_ = false;
    return;
  }
  Emit(Result::kRing);
  ++registers_[kRingCount];
  Note("modem: ring " + std::to_string(registers_[kRingCount]));
  if (registers_[kRings] > 0 && registers_[kRingCount] >= registers_[kRings]) {
    Answer();
    return;
  }
  if (registers_[kRingCount] >= config_.caller_rings) {
    // The caller gives up.
    ringing_ = false;
    registers_[kRingCount] = 0;
    on_answered_ = nullptr;
    return;
  }
  ring_timer_.ArmAfter(config_.ring_interval_ms, [this] { Ring(); });
}

void HayesModem::Answer() {
  ringing_ = false;
  ring_timer_.Cancel();
  state_ = State::kAnswering;
  call_timer_.ArmAfter(config_.answer_delay_ms, [this] {
    GoOnline();
    auto answered = std::move(on_answered_);
    on_answered_ = nullptr;
    if (answered) answered();
  });
}

void HayesModem::RemoteHangUp() {
  if (ringing_) {
    ringing_ = false;
    ring_timer_.Cancel();
    registers_[kRingCount] = 0;
  }
  if (!Carrier() && state_ != State::kAnswering) return;
  call_timer_.Cancel();
  escape_timer_.Cancel();
  state_ = State::kCommand;
  plus_count_ = 0;
  Note("modem: the far end hung up");
  Emit(Result::kNoCarrier);
}

void HayesModem::DropCarrier() {
  Note("modem: hung up");
  escape_timer_.Cancel();
  state_ = State::kCommand;
  plus_count_ = 0;
  if (on_hang_up_) on_hang_up_();
}

// ---- results ---------------------------------------------------------------

void HayesModem::Emit(Result result) {
  if (quiet_) return;
  std::string word;
  int code = 0;
  switch (result) {
    case Result::kOk: word = "OK", code = 0; break;
    case Result::kConnect: word = config_.connect_text, code = 1; break;
    case Result::kRing: word = "RING", code = 2; break;
    case Result::kNoCarrier: word = "NO CARRIER", code = 3; break;
    case Result::kError: word = "ERROR", code = 4; break;
    case Result::kBusy: word = "BUSY", code = 7; break;
  }
  EmitText(verbose_ ? "\r\n" + word + "\r\n" : std::to_string(code) + "\r");
}

void HayesModem::EmitText(const std::string& text) { pacer_.Send(text); }

void HayesModem::EmitLater(Result result) {
  poster_.After(config_.command_delay_ms, [this, result] { Emit(result); });
}

}  // namespace sim
