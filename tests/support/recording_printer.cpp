#include "recording_printer.h"

#include <cmath>

namespace testkit {

std::string RecordingPrinter::PageText(const platform::PrintedPage& page) {
  std::string out;
  for (const platform::PrintedLine& line : page) {
    std::string text;
    for (const platform::PrintedRun& run : line) {
      const auto column = static_cast<std::size_t>(std::lround(run.x / kCharWidth));
      if (text.size() < column) text.resize(column, ' ');
      text.replace(column, run.text.size(), run.text);
    }
    out += text + "\n";
  }
  return out;
}

}  // namespace testkit
