#include "qt_printer.h"

#include <QDateTime>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

#include "qt_convert.h"

namespace qtui {

namespace {

constexpr double kTwipsPerInch = 1440;

QFont ReportFont(const std::string& name, double size) {
  QFont font(ToQt(name));
  font.setStyleHint(QFont::TypeWriter);  // "Courier" where the machine has no Courier
  font.setPointSizeF(size > 0 ? size : 10);
  return font;
}

}  // namespace

QtPrinter::QtPrinter(std::string pdf_folder, Destination destination)
    : pdf_folder_(std::move(pdf_folder)), destination_(destination) {}

QtPrinter::~QtPrinter() = default;

// Made when first needed: a printer device asks the print system for its
// defaults, which start-up need not wait for.
QPrinter& QtPrinter::Measure() {
  if (!measure_) {
    measure_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    measure_->setOutputFormat(QPrinter::PdfFormat);
  }
  return *measure_;
}

double QtPrinter::TextWidth(std::string_view text) {
  const QFontMetricsF metrics(ReportFont(FontName(), FontSize()), &Measure());
  return metrics.horizontalAdvance(ToQt(text)) * kTwipsPerInch / Measure().resolution();
}

int QtPrinter::LinesPerPage() {
  const QFontMetricsF metrics(ReportFont(FontName(), FontSize()), &Measure());
  const double height = Measure().pageLayout().paintRectPixels(Measure().resolution()).height();
  return std::max(1, static_cast<int>(height / metrics.lineSpacing()));
}

std::string QtPrinter::Output(const platform::PrintedDocument& document) {
  QPrinter printer(QPrinter::HighResolution);
  const bool pdf = destination_ == Destination::Pdf || QPrinterInfo::defaultPrinter().isNull();
  QString path;
  if (pdf) {
    path = QDir(PathToQt(pdf_folder_))
               .absoluteFilePath("Report " +
                                 QDateTime::currentDateTime().toString("yyyy-MM-dd hhmmss") + ".pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
  }
  printer.setDocName("Installation report");
  QPainter painter;
  if (!painter.begin(&printer))
    return pdf ? "The report could not be saved as \"" + PathFromQt(path) + "\"."
               : "The report could not be sent to the printer.";
  const QFont font = ReportFont(document.font_name, document.font_size);
  painter.setFont(font);
  const QFontMetricsF metrics(font, &printer);
  const double scale = printer.resolution() / kTwipsPerInch;
  bool first_page = true;
  for (const platform::PrintedPage& page : document.pages) {
    if (!first_page) printer.newPage();
    first_page = false;
    double baseline = metrics.ascent();
    for (const platform::PrintedLine& line : page) {
      for (const platform::PrintedRun& run : line)
        painter.drawText(QPointF(run.x * scale, baseline), ToQt(run.text));
      baseline += metrics.lineSpacing();
    }
  }
  painter.end();
  if (!pdf) return "";
  last_pdf_ = PathFromQt(path);
  return "The report was saved as \"" + last_pdf_ + "\".";
}

}  // namespace qtui
