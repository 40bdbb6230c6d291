#include "unit/dump_loading.h"

#include <string>
#include <vector>

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

// The value a good checked line "aaa vvv" carries (read by its first and
// last three characters); false for a line that fails its check. A good
// line of another length, or whose numbers are no address and byte, gives
// no value (address -1).
bool ReadCheckedLine(std::string& line, DumpValue& value) {
  value = {-1, 0};
  if (!lnk::CheckLineCrc16(line)) return false;
  const double a = vb::Val(line.substr(0, 3));
  int byte = 0;
  if (line.size() == 7 && a >= 0 && a < kParamCount && a == static_cast<int>(a) &&
      ByteValue(vb::Val(line.substr(4, 3)), byte))
    value = {static_cast<int>(a), byte};
  return true;
}

void Store(ParameterImage& p, const DumpValue& value) {
  if (value.address < 0) return;
  const auto address = static_cast<std::size_t>(value.address);
  p.Eeprom[address] = static_cast<std::int16_t>(value.value);
  p.Received[address] = true;
}

}  // namespace

bool ReadSavedCheckedDump(std::string_view text, std::vector<DumpValue>& values) {
  // Its first line, the last address, ends in four check digits where a
  // plain dump's ends in its line end.
  if (!(text.size() > 8 && lnk::IsHexText(text.substr(3, 4)) && text[8] == ' ')) return false;
  // Each data line is the seven characters and four check digits before a
  // blank or the end, so a cut or garbled line fails its check instead of
  // shifting the lines after it.
  constexpr std::size_t kLineLength = 7 + 4;
  DumpValue value;
  for (std::size_t end = kLineLength; end <= text.size(); ++end) {
    if (!(end == text.size() || text[end] == ' ') || text[end - 1] == ' ') continue;
    std::string line(text.substr(end - kLineLength, kLineLength));
    if (ReadCheckedLine(line, value) && value.address >= 0) values.push_back(value);
  }
  return true;
}

void ParseEepromDump(app::Console& c) {
  ParameterImage& p = c.param;
  std::string& rx = c.st.RxBuffer;
  p.ParamLoadInProgress = true;
  p.DumpIncomplete = false;
  std::vector<DumpValue> checked;
  if (p.SequentialDump && ReadSavedCheckedDump(rx, checked)) {
    // Its check digits are no values: the lines are read by their checks.
    for (const DumpValue& value : checked) Store(p, value);
    rx.clear();
    return;
  }
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
    DumpValue value;
    // Corrupted on the way: ask for the dump again.
    if (!ReadCheckedLine(line, value)) p.DumpIncomplete = true;
    Store(p, value);
  }
  ReportParameterBounds(c, "");
}

}  // namespace unit
