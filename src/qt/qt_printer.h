// The report's printer on Qt's print support: the system's default printer,
// or, where the machine has none, a PDF in the program folder whose path the
// operator is told. The document is kept until it ends (BufferedPrinter), so
// a cancelled one never reaches the printer.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/buffered_printer.h"

class QPrinter;

namespace qtui {

class QtPrinter : public platform::BufferedPrinter {
 public:
  enum class Destination { DefaultPrinter, Pdf };
  // pdf_folder: where a PDF goes. With Destination::Pdf every document is a PDF.
  explicit QtPrinter(std::string pdf_folder, Destination destination = Destination::DefaultPrinter);
  ~QtPrinter() override;

  double TextWidth(std::string_view text) override;
  // The PDF last written ("" when none).
  const std::string& LastPdf() const { return last_pdf_; }

 protected:
  int LinesPerPage() override;
  std::string Output(const platform::PrintedDocument& document) override;

 private:
  QPrinter& Measure();

  std::string pdf_folder_;
  Destination destination_;
  std::unique_ptr<QPrinter> measure_;  // a PDF device for the font's measures
  std::string last_pdf_;
};

}  // namespace qtui
