// A simulated VKX-4700 unit: parameter memory, clock, live status, a
// seven-day log and alarm flags, answering the console's text commands and
// (V4 dialect) its V4 packets, as a strict peer: what a unit would not
// answer is dropped and noted in Rejections().
//
// Wiring: Receive() takes the console's bytes (straight from the port, or
// from a modem once connected); replies leave through the output sink at
// the pace of the line, reply_delay_ms after the command.
//
// V4 packets are answered when addressed to the unit or to 65535. Replies
// carry no address: the dump packet begins with its length (v4_replies.h);
// the acknowledgement of "T", "Reset" and "Init" is a packet holding that
// word, of "S" a packet holding "S", the count and the address bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "day_log.h"
#include "fault_plan.h"
#include "live_status.h"
#include "parameter_memory.h"
#include "scheduler.h"
#include "serial_pacer.h"
#include "text_command_reader.h"
#include "unit_clock.h"
#include "unit_config.h"

namespace sim {

class Unit {
 public:
  // Throws std::invalid_argument for a configuration with problems.
  Unit(Scheduler& scheduler, UnitConfig config);

  void SetOutput(ByteSink sink) { pacer_.SetSink(std::move(sink)); }
  // The console's bytes.
  void Receive(std::string_view bytes);
  // The modem lost the carrier: the unit stops talking and forgets the
  // command in progress and the replies not yet sent.
  void LineDropped();

  // Sends an alarm report now (as a calling unit does once its call is
  // answered). Faults do not apply.
  void SendAlarmReport();
  // When the last queued byte will have left.
  std::int64_t OutputIdleAtMs() const { return pacer_.IdleAtMs(); }
  bool Sending() const { return !pacer_.Idle(); }

  const UnitConfig& Config() const { return config_; }
  int Memory(int address) const { return memory_.at(static_cast<std::size_t>(address)); }
  void SetMemory(int address, int value);
  const sim::Memory& MemoryImage() const { return memory_; }
  std::int32_t FirmwareVersion() const { return FirmwareOf(memory_); }
  std::uint16_t Address() const { return address_; }
  // The live values; ampere-hours run on with the scheduler's time whenever
  // the unit reports them.
  LiveStatus& Status() { return status_; }
  UnitClock& Clock() { return clock_; }
  DayLog& Log() { return log_; }
  std::string& AlarmFlags() { return alarm_flags_; }
  FaultPlan& Faults() { return faults_; }

  // Every command taken, in order: text commands as sent ("U", "Ss013090",
  // "D" once its code matched), V4 packets as "V4 D", "V4 S", "V4 T",
  // "V4 Reset", "V4 Init".
  const std::vector<std::string>& Commands() const { return commands_; }
  // The address of every V4 packet taken, in the order of its "V4 ..." entry
  // in Commands().
  const std::vector<std::uint16_t>& PacketAddresses() const { return packet_addresses_; }
  // The link was cut by the commands_before_cut fault.
  bool LinkCut() const { return link_cut_; }
  // Every byte run dropped, with the reason.
  const std::vector<std::string>& Rejections() const { return rejections_; }
  // Optional: told of every command and rejection (the program's log).
  std::function<void(const std::string&)> on_note;

 private:
  void OnTextCommand(const std::string& command);
  void OnFrameEnd();
  void OnV4Payload(std::uint16_t to, std::string_view payload);
  // Records a command taken; the cut fault counts it.
  void Taken(const std::string& command);
  void Reject(const std::string& why);
  void Note(const std::string& what);

  // Queues a reply, applying the drop, slow and garbage faults.
  void Answer(std::string reply);
  void AnswerV4(const std::string& content, bool bad_crc);
  void AnswerDump();
  std::string ULine();
  std::string VLine();
  bool CheckedLines() const { return FirmwareVersion() >= kCheckedLinesFirmware; }

  void RefreshStatus();
  bool WriteBytes(int address, std::string_view bytes);
  void ResetMemoryRecords();
  void FactoryInitialise();

  UnitConfig config_;
  GuardedPoster poster_;
  SerialPacer pacer_;
  UnitClock clock_;
  sim::Memory memory_;
  std::uint16_t address_;
  LiveStatus status_;
  std::int64_t status_at_ms_;
  DayLog log_;
  std::string alarm_flags_;
  FaultPlan faults_;
  TextCommandReader reader_;
  std::string frame_;             // V4 group characters since the last carriage return
  bool frame_overflow_ = false;
  std::uint64_t line_generation_ = 0;  // replies of an earlier call are not sent
  std::int64_t last_reply_at_ms_ = 0;  // replies leave in the order they were made
  std::vector<std::string> commands_;
  std::vector<std::uint16_t> packet_addresses_;
  bool link_cut_ = false;  // the unit hears nothing more
  std::vector<std::string> rejections_;
};

}  // namespace sim
