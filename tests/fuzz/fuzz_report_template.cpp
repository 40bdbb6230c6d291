// A report template as anyone may edit it: any text, printed on a recording
// printer from a console. The line parser keeps every field's text, the
// report never crashes, and a document is either ended or left open.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "recording_printer.h"
#include "unit/installation_report.h"
#include "unit/report_template.h"

using testkit::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto lines = unit::ReportTemplateLines(text);
  for (const std::string& line : lines) {
    const auto items = unit::ParseReportLine(line);
    Require(!items.empty() && items.front().kind == unit::ReportItem::Kind::Column);
    std::size_t key_chars = 0;
    for (const auto& item : items) key_chars += item.key.size();
    Require(key_chars <= line.size());
  }
  app::Console& c = testkit::FuzzHarness().console;
  testkit::RecordingPrinter printer;
  c.st.PrintPending = false;
  unit::PrintReport(c, printer, text);
  // "END" ends the document (nothing is sent when nothing was printed yet);
  // without it a template that has lines leaves the document open.
  Require(printer.documents.size() <= 1 && (printer.documents.empty() || c.st.PrintPending));
  Require(printer.DocumentOpen() == (!lines.empty() && !c.st.PrintPending));
  return 0;
}
