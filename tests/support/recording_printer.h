// A printer for tests: every character is 120 twips wide (Courier 10), a
// page holds 60 lines, and ended documents are kept in order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/buffered_printer.h"

namespace testkit {

class RecordingPrinter : public platform::BufferedPrinter {
 public:
  static constexpr double kCharWidth = 120;

  double TextWidth(std::string_view text) override {
    return kCharWidth * static_cast<double>(text.size());
  }

  // A page as text: each run at its column (x / 120), lines joined by "\n".
  static std::string PageText(const platform::PrintedPage& page);

  std::vector<platform::PrintedDocument> documents;  // ended, in order (none cancelled)

 protected:
  int LinesPerPage() override { return 60; }
  std::string Output(const platform::PrintedDocument& document) override {
    documents.push_back(document);
    return "";
  }
};

}  // namespace testkit
