// A Hayes-compatible modem as the console's serial port sees it, with the
// telephone line to one unit behind it.
//
// Command mode: characters are echoed while E1 (the factory setting), a
// line from "AT" to the carriage return is run, and its result follows as
// "\r\nOK\r\n" (V1) or "0\r" (V0), nothing with Q1. Understood: E Q V X L M
// with a digit, S<n>=<v> and S<n>?, &F (factory settings: E1 Q0 V1 S0=0),
// &C &D &K &S &W, Z, H/H0 (hang up), H1, D (dial; T, P, W, commas and
// blanks allowed), A (answer a ringing call), O (back on line). Anything
// else gives "ERROR". Registers: S0 rings before answering, S1 rings
// counted, S2 escape character (43, "+"), S3 line end (13), S5 backspace
// (8), S7 seconds to wait for a carrier (50), S12 escape guard time in
// fiftieths of a second (50 = 1 s).
//
// Dialling gives, after its delay, "CONNECT 9600", "BUSY", "NO CARRIER" or
// nothing at all (ModemConfig); any character typed meanwhile abandons the
// call with "NO CARRIER". On line, data passes both ways; "+++" with a
// guard time of silence before it and after it (and the three characters
// closer together than the guard time) returns to command mode with "OK",
// the carrier staying up until "ATH0". The far end hanging up gives
// "NO CARRIER". An incoming call rings ("RING") every ring interval; with
// S0 above 0 the modem answers at ring S0 and reports "CONNECT 9600".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scheduler.h"
#include "serial_pacer.h"
#include "unit_config.h"

namespace sim {

class HayesModem {
 public:
  enum class State {
    kCommand,        // off line, taking commands
    kDialing,        // waiting for the called end
    kAnswering,      // answering an incoming call
    kOnline,         // carrier up, data passes
    kOnlineCommand,  // carrier up, taking commands after "+++"
  };

  HayesModem(Scheduler& scheduler, ModemConfig config);

  // Toward the console's serial port.
  void SetConsoleSink(ByteSink sink) { pacer_.SetSink(std::move(sink)); }
  // Toward the unit, and how the unit learns that the console's side hung up.
  void SetLine(ByteSink to_unit, std::function<void()> on_hang_up);

  void FromConsole(std::string_view bytes);
  // The unit's bytes: passed on while on line, else lost.
  void FromLine(std::string_view bytes);

  // The far end calls. on_answered runs once the carrier is up. False (the
  // caller hears busy) while the modem is not idle.
  bool IncomingCall(std::function<void()> on_answered);
  // The far end hangs up.
  void RemoteHangUp();

  State state() const { return state_; }
  bool Carrier() const { return state_ == State::kOnline || state_ == State::kOnlineCommand; }
  bool Ringing() const { return ringing_; }
  bool EchoOn() const { return echo_; }
  int Register(int n) const { return registers_.at(static_cast<std::size_t>(n)); }
  // Every command line run (from "AT" on, without the carriage return), and
  // every number dialled (digits only), in order.
  const std::vector<std::string>& CommandLines() const { return lines_; }
  const std::vector<std::string>& Dialled() const { return dialled_; }
  // Optional: told of command lines, calls and hang-ups (the program's log).
  std::function<void(const std::string&)> on_note;

 private:
  enum class Result { kOk, kConnect, kRing, kNoCarrier, kError, kBusy };

  void CommandByte(char c);
  void RunLine(const std::string& line);
  // Runs the commands after "AT"; false for "ERROR". Sets *pending when the
  // last command (dial, answer, back on line) gives its own result later;
  // answers to S-register queries gather in *info.
  bool RunCommands(std::string_view commands, bool* pending, std::string* info);
  void OnlineByte(char c);
  void Dial(const std::string& dial_string);
  void GoOnline();
  void Ring();
  void Answer();
  void DropCarrier();
  void FactorySettings();
  void Emit(Result result);
  void EmitText(const std::string& text);
  void EmitLater(Result result);
  std::int64_t GuardMs() const;
  void Note(const std::string& what) const {
    if (on_note) on_note(what);
  }

  ModemConfig config_;
  GuardedPoster poster_;
  SerialPacer pacer_;
  OneShotTimer call_timer_;    // dialling, answering
  OneShotTimer ring_timer_;
  OneShotTimer escape_timer_;
  ByteSink to_unit_;
  std::function<void()> on_hang_up_;
  std::function<void()> on_answered_;
  State state_ = State::kCommand;
  std::vector<int> registers_;
  bool echo_ = true, quiet_ = false, verbose_ = true;
  bool ringing_ = false;
  std::string line_;
  int plus_count_ = 0;
  std::int64_t last_data_ms_ = 0;
  std::int64_t last_plus_ms_ = 0;
  std::vector<std::string> lines_;
  std::vector<std::string> dialled_;
};

}  // namespace sim
