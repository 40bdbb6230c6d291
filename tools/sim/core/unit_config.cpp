#include "unit_config.h"

namespace sim {

std::string ConfigProblems(const UnitConfig& config) {
  std::string problems;
  auto add = [&problems](const std::string& text) {
    if (!problems.empty()) problems += "; ";
    problems += text;
  };
  const std::int32_t fw = config.firmware;
  if (fw < 0 || fw / 10000 > 255 || fw % 10000 / 100 > 99 || fw % 100 > 99)
    add("firmware must be major*10000 + minor*100 + build with major 0..255, minor and build 0..99");
  if (config.system_volts != 12 && config.system_volts != 24 && config.system_volts != 48)
    add("system voltage must be 12, 24 or 48");
  if (config.alarm_flags.size() != 16 ||
      config.alarm_flags.find_first_not_of("01") != std::string::npos)
    add("alarm flags must be 16 characters 0 or 1");
  if (config.reply_delay_ms < 0) add("reply delay must not be negative");
  if (config.text_dump_last_address != 255 && config.text_dump_last_address != 267)
    add("the last address of a text dump must be 255 or 267");
  return problems;
}

}  // namespace sim
