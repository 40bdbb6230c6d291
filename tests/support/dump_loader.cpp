#include "dump_loader.h"

#include "app/console.h"
#include "unit/dump_loading.h"
#include "unit/parameter_loading.h"

namespace testkit {

namespace {

std::string CheckAll(app::Console& c, int last) {
  std::string errors;
  for (int a = 0; a <= last; ++a)
    errors += unit::CheckParameterValue(c, a, c.param.Eeprom[static_cast<std::size_t>(a)]);
  return errors;
}

}  // namespace

std::string LoadTextDump(app::Console& c, const std::string& reply) {
  c.st.RxBuffer = reply;
  if (reply.find('\r') == 8)
    unit::ParseCheckedDump(c);
  else
    unit::ParseEepromDump(c);
  const std::string errors = CheckAll(c, c.st.V4Mode ? 267 : 255);
  unit::ShowLoadedParameters(c, errors);
  return errors;
}

std::string LoadBinaryImage(app::Console& c, const ParameterValues& values) {
  for (int a = 0; a <= 274; ++a)
    c.param.Eeprom[static_cast<std::size_t>(a)] = static_cast<std::int16_t>(values[static_cast<std::size_t>(a)]);
  const std::string errors = CheckAll(c, 274);
  unit::ShowLoadedParameters(c, errors);
  return errors;
}

}  // namespace testkit
