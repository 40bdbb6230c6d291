#include "unit/dump_loading.h"

#include <string>

#include "app/console.h"
#include "common/vb.h"
#include "link/crc16_line.h"
#include "link/reply_tokens.h"
#include "unit/parameter_loading.h"

namespace unit {

namespace {

// "  7 " for address 7: the address right-aligned in three, then a blank.
std::string AddressLabel(int address) {
  std::string digits = vb::CStr(address);
  return std::string(digits.size() < 3 ? 3 - digits.size() : 0, ' ') + digits + " ";
}

// Where the line of label starts: the first occurrence of label right after
// a carriage return or line feed, or npos.
std::size_t LineOf(const std::string& text, const std::string& label) {
  const std::size_t after_cr = text.find('\r' + label);
  const std::size_t after_lf = text.find('\n' + label);
  const std::size_t at = after_cr < after_lf ? after_cr : after_lf;
  return at == std::string::npos ? at : at + 1;
}

// The byte a dump line gives, if it is one (a token that is no number reads 0).
bool ByteValue(double v, int& byte) {
  if (!(v >= 0 && v <= 255)) return false;
  byte = static_cast<int>(v);
  return byte == v;
}

}  // namespace

void ParseEepromDump(app::Console& c) {
  ParameterImage& p = c.param;
  std::string& rx = c.st.RxBuffer;
  p.ParamLoadInProgress = true;
  p.DumpIncomplete = false;
  if (p.SequentialDump) lnk::NextIntToken(rx);  // the leading count
  const int count = c.st.V4Mode ? 268 : 256;
  for (int a = 0; a < count; ++a) {
    const auto index = static_cast<std::size_t>(a);
    if (!p.SequentialDump) {
      const std::size_t line = LineOf(rx, AddressLabel(a));
      if (line == std::string::npos) {
        if (!p.Received[index]) p.DumpIncomplete = true;
        continue;
      }
      rx.erase(0, line);
    }
    lnk::NextIntToken(rx);  // the address itself
    int byte = 0;
    if (ByteValue(vb::Val(lnk::NextIntToken(rx)), byte)) {
      p.Eeprom[index] = static_cast<std::int16_t>(byte);
      p.Received[index] = true;
    }
  }
}

void ParseCheckedDump(app::Console& c) {
  ParameterImage& p = c.param;
  const std::string& rx = c.st.RxBuffer;
  p.DumpIncomplete = false;
  std::size_t pos = 0;
  for (std::size_t cr = rx.find('\r'); cr != std::string::npos; cr = rx.find('\r', pos)) {
    // A line ends in two characters, the second being the carriage return.
    const std::size_t length = cr - pos;
    pos = cr + 1;
    if (length <= 1) continue;  // an empty line carries nothing
    std::string& line = c.st.CheckLine;
    line = rx.substr(cr - length, length - 1);
    if (!lnk::CheckLineCrc16(line)) {
      p.DumpIncomplete = true;  // corrupted on the way: ask for the dump again
      continue;
    }
    if (line.size() != 7) continue;  // a good line that carries no parameter
    // "aaa vvv": read by its first and last three characters.
    const double a = vb::Val(line.substr(0, 3));
    int byte = 0;
    if (!(a >= 0 && a < kParamCount) || a != static_cast<int>(a)) continue;
    if (!ByteValue(vb::Val(line.substr(4, 3)), byte)) continue;
    const auto address = static_cast<std::size_t>(a);
    p.Eeprom[address] = static_cast<std::int16_t>(byte);
    p.Received[address] = true;
  }
  ReportParameterBounds(c, "");
}

}  // namespace unit
