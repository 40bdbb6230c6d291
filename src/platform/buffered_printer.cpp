#include "platform/buffered_printer.h"

#include <utility>

namespace platform {

void BufferedPrinter::SetFont(std::string_view name, double size_points) {
  font_name_ = std::string(name);
  font_size_ = size_points;
}

void BufferedPrinter::Begin() {
  if (open_) return;
  open_ = true;
  doc_ = PrintedDocument{font_name_, font_size_, {PrintedPage{PrintedLine{}}}};
}

void BufferedPrinter::Print(std::string_view text) {
  Begin();
  if (text.empty()) return;
  Line().push_back({x_, std::string(text)});
  x_ += TextWidth(text);
}

void BufferedPrinter::EndLine() {
  Begin();
  x_ = 0;
  if (static_cast<int>(doc_.pages.back().size()) >= LinesPerPage())
    doc_.pages.push_back(PrintedPage{});
  doc_.pages.back().push_back(PrintedLine{});
}

void BufferedPrinter::NewPage() {
  Begin();
  x_ = 0;
  doc_.pages.push_back(PrintedPage{PrintedLine{}});
}

std::string BufferedPrinter::EndDoc() {
  if (!open_) return "";
  open_ = false;
  x_ = 0;
  const PrintedDocument document = std::exchange(doc_, PrintedDocument{});
  return Output(document);
}

void BufferedPrinter::KillDoc() {
  open_ = false;
  x_ = 0;
  doc_ = PrintedDocument{};
}

}  // namespace platform
