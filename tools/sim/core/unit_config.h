// What a simulated VKX-4700 unit and its modem are: dialect, firmware,
// address, system voltage, clock, alarms and line timing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace sim {

enum class Dialect {
  kText,  // text commands only; V4 frames are ignored
  kV4,    // text commands and V4 frames; answers the text "D" with a V4 packet
};

// A reading of a wall clock, four-digit year.
struct ClockTime {
  int year = 2026;
  int month = 3;
  int day = 2;
  int hour = 10;
  int minute = 0;
  int second = 0;
};

// Ten bits per character at 9600 baud.
inline constexpr double kMsPerCharAt9600Baud = 10.0 * 1000.0 / 9600.0;

// Firmware from which status and dump lines carry CRC-16 check digits.
inline constexpr std::int32_t kCheckedLinesFirmware = 32116;
// The firmware with currents in hundredths and the state of charge.
inline constexpr std::int32_t kSocLayoutFirmware = 40100;
// Every V4 unit answers packets sent to this address, whatever its own.
inline constexpr std::uint16_t kBroadcastAddress = 65535;

struct UnitConfig {
  Dialect dialect = Dialect::kText;
  // major * 10000 + minor * 100 + build, kept in parameters 3, 4 and 5
  // (30100, 32116, 40100, 40200 ...). Layouts follow the memory, so a write
  // to those parameters changes them.
  std::int32_t firmware = 30100;
  // The V4 address (parameters 268 to 273) and the site number that alarm
  // reports carry.
  std::uint16_t address = 1;
  // 12, 24 or 48: sets Vnominal (parameter 19), the battery size and every
  // voltage of the parameters, the status and the log.
  int system_volts = 48;
  // The unit clock at start; unset, the adapter takes the clock it runs on
  // (the test runtime's or the computer's local time).
  std::optional<ClockTime> clock{};
  // Alarm inputs 1 to 16 as 16 characters "0"/"1", carried by alarm reports.
  std::string alarm_flags = "0000000000000000";
  // From the end of a command to the first byte of its reply.
  std::int64_t reply_delay_ms = 20;
  double ms_per_char = kMsPerCharAt9600Baud;
  // Last address of a text dump: 255; 267 for units that carry more.
  int text_dump_last_address = 255;
};

// Problems with a configuration, "" when there are none.
std::string ConfigProblems(const UnitConfig& config);

enum class DialOutcome {
  kConnect,    // "CONNECT 9600" after connect_delay_ms
  kBusy,       // "BUSY" after busy_delay_ms
  kNoCarrier,  // "NO CARRIER" after S7 seconds (50 by default)
  kNoAnswer,   // no result at all: the call rings on until the console gives up
};

struct ModemConfig {
  DialOutcome outcome = DialOutcome::kConnect;
  // Outcomes for particular numbers (digits only), before `outcome`.
  std::map<std::string, DialOutcome> outcome_by_number{};
  std::string connect_text = "CONNECT 9600";
  std::int64_t connect_delay_ms = 8000;  // from the dial's carriage return
  std::int64_t busy_delay_ms = 4000;
  std::int64_t command_delay_ms = 10;    // from a command line to its result
  std::int64_t ring_interval_ms = 6000;
  std::int64_t answer_delay_ms = 3000;   // from answering a call to CONNECT
  int caller_rings = 10;                 // an unanswered caller gives up after these
  // A calling unit starts its report this long after CONNECT, and hangs up
  // this long after the report's last byte.
  std::int64_t report_delay_ms = 1000;
  std::int64_t hang_up_delay_ms = 1000;
  double ms_per_char = kMsPerCharAt9600Baud;
};

}  // namespace sim
