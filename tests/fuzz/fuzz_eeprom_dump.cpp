// The plain and sequential dump parser takes whatever text a unit or a
// status file holds: it must never crash, it stores only bytes, an address
// counts as incomplete only when it was neither found nor received before,
// and a whole load of what it stored never fails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "unit/dump_loading.h"
#include "unit/parameter_loading.h"

namespace {

using testkit::Require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  app::Console& c = testkit::FuzzHarness().console;
  // The first byte chooses the dialect and the form; the rest is the text.
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  c.st.V4Mode = (mode & 1) != 0;
  c.param.SequentialDump = (mode & 2) != 0;
  c.param.Received.fill(false);
  if ((mode & 4) != 0) c.param.Received.fill(true);
  c.param.Eeprom.fill(0);

  c.st.RxBuffer = text;
  unit::ParseEepromDump(c);
  c.param.SequentialDump = false;

  const int count = c.st.V4Mode ? 268 : 256;
  Require(c.param.ParamLoadInProgress);
  Require(!c.param.DumpIncomplete || (mode & 4) == 0);
  for (int a = 0; a < unit::kParamCount; ++a) {
    const auto i = static_cast<std::size_t>(a);
    Require(c.param.Eeprom[i] >= 0 && c.param.Eeprom[i] <= 255);
    if (a >= count) Require(c.param.Eeprom[i] == 0);
  }

  std::string errors;
  for (int a = 0; a < count; ++a)
    errors += unit::CheckParameterValue(c, a, c.param.Eeprom[static_cast<std::size_t>(a)]);
  unit::ShowLoadedParameters(c, errors);
  Require(!c.param.ParamLoadInProgress);
  return 0;
}
