// A text status file as the operator may pick it: three lines of anything.
// Loading it must never crash, leaves the clock spinners inside their ranges
// and ends with the option pairs free to send again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "link/saved_status.h"
#include "unit/frm_install.h"

namespace {

using testkit::Require;

// The next line of the file (without its line end).
std::string NextLine(std::string& rest) {
  const std::size_t end = rest.find('\n');
  std::string line = rest.substr(0, end);
  rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  app::Console& c = testkit::FuzzHarness().console;
  std::string rest(reinterpret_cast<const char*>(data), size);
  c.st.EepromImage = NextLine(rest);
  c.st.UStatusText = NextLine(rest);
  c.st.VStatusText = NextLine(rest);
  lnk::ParseFullStatus(c);

  Require(!c.param.ParamLoadInProgress);
  Require(!c.param.SequentialDump);
  unit::frmInstall& f = c.Get<unit::frmInstall>();
  for (int field = 0; field < unit::kDateFieldCount; ++field) {
    const int v = f.udDate[field].Value();
    Require(v >= unit::kDateFieldMin[field] && v <= unit::kDateFieldMax[field]);
    Require(c.param.DateShadow[static_cast<std::size_t>(field)] == v);
  }
  for (int a = 0; a <= 255; ++a) Require(c.param.Eeprom[static_cast<std::size_t>(a)] >= 0);
  return 0;
}
