// A printer for tests: every character is 120 twips wide (Courier 10), a
// page holds lines_per_page lines, and ended documents are kept in order.
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

  std::vector<platform::PrintedDocument> documents;  // ended, in order
  int killed = 0;                                     // KillDoc calls
  int lines_per_page = 60;
  std::string notice;  // what EndDoc tells the operator

  void KillDoc() override {
    ++killed;
    BufferedPrinter::KillDoc();
  }

 protected:
  int LinesPerPage() override { return lines_per_page; }
  std::string Output(const platform::PrintedDocument& document) override {
    documents.push_back(document);
    return notice;
  }
};

}  // namespace testkit
