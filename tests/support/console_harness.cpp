#include "console_harness.h"

#include <stdexcept>

#include "link/startup.h"

namespace testkit {

std::string ShippedDataDir() { return VKX_DATA_DIR; }

ConsoleHarness::ConsoleHarness(vb::DateTime start)
    : rt(start),
      folder(temp.Path()),
      serial(rt),
      tcp(rt),
      console(app::Services{rt, registry, folder, serial, tcp, &printer, &launcher}) {
  if (auto error = folder.EnsureSeeded(ShippedDataDir())) throw std::runtime_error(*error);
}

ConsoleHarness::~ConsoleHarness() = default;

void ConsoleHarness::SetSetting(const std::string& key, const std::string& value) {
  std::string text = folder.ReadFile("VKX1300.ini").value_or("***\r\n");
  std::string head = "[" + key + "]=";
  size_t at = text.find("\r\n" + head);
  size_t line_start = text.compare(0, head.size(), head) == 0 ? 0
                      : at == std::string::npos             ? std::string::npos
                                                            : at + 2;
  if (line_start == std::string::npos) {
    size_t end = text.find("***");
    text.insert(end == std::string::npos ? text.size() : end, head + value + "\r\n");
  } else {
    size_t line_end = text.find("\r\n", line_start);
    text.replace(line_start, line_end - line_start, head + value);
  }
  if (auto error = folder.WriteFileAtomic("VKX1300.ini", text)) throw std::runtime_error(*error);
}

bool ConsoleHarness::Start() {
  if (!lnk::Main(console)) return false;
  rt.RunFor(2000);
  return true;
}

}  // namespace testkit
