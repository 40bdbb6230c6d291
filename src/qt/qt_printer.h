// The report's printer on Qt's print support: the system's default printer,
// or, where the machine has none, a PDF in the program folder whose path the
// operator is told. The document is kept until it ends (BufferedPrinter), so
// a cancelled one never reaches the printer.
#pragma once

#include <QDateTime>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/buffered_printer.h"

class QPrinter;

namespace qtui {

class QtPrinter : public platform::BufferedPrinter {
 public:
  enum class Destination { DefaultPrinter, Pdf };
  // pdf_folder: where a PDF goes. With Destination::Pdf every document is a
  // PDF. clock names the PDF (the current time when none is given).
  explicit QtPrinter(std::string pdf_folder, Destination destination = Destination::DefaultPrinter,
                     std::function<QDateTime()> clock = {});
  ~QtPrinter() override;

  double TextWidth(std::string_view text) override;
  // The PDF last written ("" when none).
  const std::string& LastPdf() const { return last_pdf_; }

 protected:
  int LinesPerPage() override;
  std::string Output(const platform::PrintedDocument& document) override;

 private:
  QPrinter& Measure();

  // A PDF path of its own for a document ended now: "Report <date> <time>.pdf",
  // numbered " (2)", " (3)" ... when that file is there already. The file is
  // made at once (claimed), so no other report takes the name; "" when no
  // name is free.
  QString ClaimPdfPath(bool& claimed) const;

  std::string pdf_folder_;
  Destination destination_;
  std::function<QDateTime()> clock_;
  std::unique_ptr<QPrinter> measure_;  // a PDF device for the font's measures
  std::string last_pdf_;
};

}  // namespace qtui
