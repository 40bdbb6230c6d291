// The checked dump parser: any text must parse without a crash and store
// only bytes at existing addresses; a dump whose lines are all good gives
// back exactly its image; any one changed character of a data line either
// fails that line's check (the dump is asked for again) or leaves the image
// as sent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "sample_parameter_dump.h"
#include "unit/dump_loading.h"

namespace {

using testkit::Require;

void Parse(app::Console& c, const std::string& text) {
  c.param.Eeprom.fill(0);
  c.param.Received.fill(false);
  c.st.RxBuffer = text;
  unit::ParseCheckedDump(c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  app::Console& c = testkit::FuzzHarness().console;

  // Whatever arrives.
  Parse(c, std::string(reinterpret_cast<const char*>(data), size));
  for (int a = 0; a < unit::kParamCount; ++a) {
    const auto i = static_cast<std::size_t>(a);
    Require(c.param.Eeprom[i] >= 0 && c.param.Eeprom[i] <= 255);
    Require(c.param.Received[i] || c.param.Eeprom[i] == 0);
  }
  Require(!c.param.ParamLoadInProgress);

  // A dump of an image made of the input, then the same with one character
  // of one line changed.
  testkit::ParameterValues values{};
  for (std::size_t i = 0; i < size && i < 256; ++i) values[i] = data[i];
  std::string dump = testkit::CheckedDump(values);
  Parse(c, dump);
  Require(!c.param.DumpIncomplete);
  for (std::size_t a = 0; a < 256; ++a) Require(c.param.Eeprom[a] == values[a] && c.param.Received[a]);

  if (size < 3) return 0;
  const std::size_t at = (static_cast<std::size_t>(data[0]) << 8 | data[1]) % dump.size();
  if (dump[at] == '\r' || dump[at] == '\n') return 0;  // a changed line end is another matter
  const char was = dump[at];
  dump[at] = static_cast<char>(data[2] == static_cast<std::uint8_t>(was) ? data[2] ^ 1 : data[2]);
  if (dump[at] == '\r' || dump[at] == '\n') return 0;
  Parse(c, dump);
  if (c.param.DumpIncomplete) return 0;
  for (std::size_t a = 0; a < 256; ++a) Require(c.param.Eeprom[a] == values[a]);
  return 0;
}
