#include "qt_printer.h"

#include <QDir>
#include <QFile>
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
// Numbered PDFs of one second before the folder counts as full.
constexpr int kMaxReportsPerSecond = 999;

QFont ReportFont(const std::string& name, double size) {
  QFont font(ToQt(name));
  font.setStyleHint(QFont::TypeWriter);  // "Courier" where the machine has no Courier
  font.setPointSizeF(size > 0 ? size : 10);
  return font;
}

}  // namespace

QtPrinter::QtPrinter(std::string pdf_folder, Destination destination,
                     std::function<QDateTime()> clock)
    : pdf_folder_(std::move(pdf_folder)), destination_(destination), clock_(std::move(clock)) {}

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

QString QtPrinter::ClaimPdfPath(bool& claimed) const {
  const QDir folder(PathToQt(pdf_folder_));
  const QDateTime now = clock_ ? clock_() : QDateTime::currentDateTime();
  const QString stem = "Report " + now.toString("yyyy-MM-dd hhmmss");
  claimed = false;
  for (int n = 1; n <= kMaxReportsPerSecond; ++n) {
    const QString path = folder.absoluteFilePath(
        n == 1 ? stem + ".pdf" : QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
    QFile file(path);
    claimed = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    if (claimed || !file.exists()) return path;  // not made: the printer tells why
  }
  return {};
}

std::string QtPrinter::Output(const platform::PrintedDocument& document) {
  QPrinter printer(QPrinter::HighResolution);
  const bool pdf = destination_ == Destination::Pdf || QPrinterInfo::defaultPrinter().isNull();
  QString path;
  bool claimed = false;
  if (pdf) {
    path = ClaimPdfPath(claimed);
    if (path.isEmpty())
      return "The report could not be saved: \"" + pdf_folder_ + "\" holds no free name for it.";
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
  }
  printer.setDocName("Installation report");
  QPainter painter;
  if (!painter.begin(&printer)) {
    if (!pdf) return "The report could not be sent to the printer.";
    if (claimed) QFile::remove(path);  // made empty for it
    return "The report could not be saved as \"" + PathFromQt(path) + "\".";
  }
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
