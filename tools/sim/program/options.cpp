#include "options.h"

#include <charconv>
#include <map>

namespace simprog {

const char* const kUsage = R"(Usage: vkx-sim [options]

Plays a VKX-4700 unit, and optionally the Hayes modem in front of it, in
real time, on a new pseudo-terminal or on a TCP port of the loopback address.
The first line written to standard output says where: "pty /dev/pts/N" or
"tcp 127.0.0.1:PORT". The program runs until interrupted.

Where:
  --pty                 serve a new pseudo-terminal (the default)
  --tcp PORT            serve 127.0.0.1:PORT; 0 picks a free port
Unit:
  --dialect text|v4     text commands only, or also V4 packets (text)
  --firmware N          major*10000 + minor*100 + build: 30100, 32116,
                        40100, 40200 ... (30100)
  --address N           V4 address and site number, 0..65535 (1)
  --volts 12|24|48      system voltage (48)
  --alarm-flags FLAGS   16 characters 0/1, alarm inputs 1..16 (all 0)
  --alarm-after S       the unit reports its alarms S seconds after start:
                        with --modem it calls (the console's modem must
                        answer), else the report goes straight down the line
  --reply-delay MS      from a command to its reply (20)
Modem:
  --modem               a Hayes modem in front of the unit
  --dial OUTCOME        connect, busy, no-carrier or no-answer (connect)
  --connect-delay MS    from the dial to CONNECT (8000)
Faults:
  --bad-crc N           the next N replies that carry a check get a wrong
                        one (-1: every one)
  --drop N              the next N replies are lost (-1: every one)
  --slow MS             every reply starts MS later
  --garbage N           the next N replies start with junk bytes
  --missing A[,A...]    text dumps leave out these addresses
  --cut-after N         the link is cut once the unit has taken N commands:
                        it answers the last and hears nothing more
Other:
  --verbose             log commands, refusals and modem lines to stderr
  --help                this text
)";

namespace {

bool ToInt(const std::string& text, long long lo, long long hi, long long* out) {
  long long v = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || ptr != end || v < lo || v > hi) return false;
  *out = v;
  return true;
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args, std::string* error) {
  Options o;
  auto fail = [&](const std::string& why) {
    *error = why;
    return o;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) return false;
      *out = args[++i];
      return true;
    };
    auto number = [&](long long lo, long long hi, long long* out) {
      std::string text;
      return value(&text) && ToInt(text, lo, hi, out);
    };
    long long n = 0;
    std::string text;
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--verbose") {
      o.verbose = true;
    } else if (a == "--pty") {
      o.tcp_port.reset();
    } else if (a == "--tcp") {
      if (!number(0, 65535, &n)) return fail("--tcp needs a port 0..65535");
      o.tcp_port = static_cast<int>(n);
    } else if (a == "--dialect") {
      if (!value(&text) || (text != "text" && text != "v4")) return fail("--dialect is text or v4");
      o.unit.dialect = text == "v4" ? sim::Dialect::kV4 : sim::Dialect::kText;
    } else if (a == "--firmware") {
      if (!number(0, 2559999, &n)) return fail("--firmware needs a version such as 32116");
      o.unit.firmware = static_cast<std::int32_t>(n);
    } else if (a == "--address") {
      if (!number(0, 65535, &n)) return fail("--address needs 0..65535");
      o.unit.address = static_cast<std::uint16_t>(n);
    } else if (a == "--volts") {
      if (!number(12, 48, &n)) return fail("--volts is 12, 24 or 48");
      o.unit.system_volts = static_cast<int>(n);
    } else if (a == "--alarm-flags") {
      if (!value(&o.unit.alarm_flags)) return fail("--alarm-flags needs 16 characters 0/1");
    } else if (a == "--alarm-after") {
      if (!number(0, 86400, &n)) return fail("--alarm-after needs seconds");
      o.alarm_after_s = static_cast<double>(n);
    } else if (a == "--reply-delay") {
      if (!number(0, 60000, &n)) return fail("--reply-delay needs milliseconds");
      o.unit.reply_delay_ms = n;
    } else if (a == "--modem") {
      o.modem = true;
    } else if (a == "--dial") {
      static const std::map<std::string, sim::DialOutcome> kOutcomes = {
          {"connect", sim::DialOutcome::kConnect},
          {"busy", sim::DialOutcome::kBusy},
          {"no-carrier", sim::DialOutcome::kNoCarrier},
          {"no-answer", sim::DialOutcome::kNoAnswer}};
      if (!value(&text) || kOutcomes.count(text) == 0)
        return fail("--dial is connect, busy, no-carrier or no-answer");
      o.modem_config.outcome = kOutcomes.at(text);
    } else if (a == "--connect-delay") {
      if (!number(0, 600000, &n)) return fail("--connect-delay needs milliseconds");
      o.modem_config.connect_delay_ms = n;
    } else if (a == "--bad-crc") {
      if (!number(-1, 1000000, &n)) return fail("--bad-crc needs a count (-1: every reply)");
      o.faults.bad_crc_replies = static_cast<int>(n);
    } else if (a == "--drop") {
      if (!number(-1, 1000000, &n)) return fail("--drop needs a count (-1: every reply)");
      o.faults.dropped_replies = static_cast<int>(n);
    } else if (a == "--slow") {
      if (!number(0, 600000, &n)) return fail("--slow needs milliseconds");
      o.faults.slow_replies = -1;
      o.faults.slow_reply_ms = n;
    } else if (a == "--garbage") {
      if (!number(-1, 1000000, &n)) return fail("--garbage needs a count (-1: every reply)");
      o.faults.garbage_replies = static_cast<int>(n);
    } else if (a == "--cut-after") {
      if (!number(1, 1000000, &n)) return fail("--cut-after needs a count of commands");
      o.faults.commands_before_cut = static_cast<int>(n);
    } else if (a == "--missing") {
      if (!value(&text)) return fail("--missing needs addresses");
      std::size_t start = 0;
      while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        if (!ToInt(text.substr(start, comma - start), 0, 300, &n))
          return fail("--missing needs addresses 0..300 separated by commas");
        o.faults.missing_dump_addresses[static_cast<int>(n)] = -1;
        start = comma + 1;
      }
    } else {
      return fail("unknown option " + a);
    }
  }
  const std::string problems = sim::ConfigProblems(o.unit);
  if (!problems.empty()) return fail(problems);
  return o;
}

}  // namespace simprog
