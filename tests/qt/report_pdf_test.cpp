// The installation report through Qt's print support as a PDF, read back
// with poppler's pdftotext and drawn as a picture with pdftoppm, and the
// Load File window's picture (artifacts/screens).
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sstream>
#include <string>
#include <vector>

#include "app/frm_load.h"
#include "dump_loader.h"
#include "qt_dialog_operator.h"
#include "link/status_parsers.h"
#include "qt/qt_printer.h"
#include "screenshot_support.h"
#include "unit/frm_install.h"
#include "unit/installation_report.h"

namespace qttest {
namespace {

std::string RunTool(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(20'000) || process.exitCode() != 0) return "";
  return process.readAllStandardOutput().toStdString();
}

// The line that begins with head, from its first character.
std::string LineOf(const std::string& page, const std::string& head) {
  std::istringstream in(page);
  for (std::string line; std::getline(in, line);) {
    const std::size_t at = line.find_first_not_of(' ');
    if (at != std::string::npos && line.compare(at, head.size(), head) == 0) return line.substr(at);
  }
  return "";
}

TEST(ReportPdf, HoldsTheUnitAddressTheRowsAndTheLampMarksAtTheirColumns) {
  OfflineQtConsole q;
  app::Console& c = q.console;
  qtui::QtPrinter printer(q.folder.Path(), qtui::QtPrinter::Destination::Pdf);
  c.printer = &printer;
  ASSERT_EQ(testkit::LoadTextDump(c, testkit::PlainDump(testkit::SampleParameters())), "");
  c.st.UnitAddress = 4321;
  c.st.RxBuffer = "U 26/03/02 5 10:04:07 1 5124 183 67 25 31 16 32 0";
  lnk::ParseUReply(c);
  c.st.RxBuffer = "V 0 0 1 0 0 12550 4830 2210";
  lnk::ParseVReply(c);

  std::string notice;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      notice = box->text().toStdString();
      box->accept();
    }
  });
  closer.start(50);
  c.Get<unit::frmInstall>().Show();
  c.Get<unit::frmInstall>().cmdPrint.Press();
  closer.stop();
  ASSERT_FALSE(printer.LastPdf().empty());
  EXPECT_EQ(notice, "The report was saved as \"" + printer.LastPdf() + "\".");

  const QString pdf = QString::fromStdString(printer.LastPdf());
  const std::string page = RunTool("pdftotext", {"-fixed", "6", "-f", "1", "-l", "1", pdf, "-"});
  ASSERT_FALSE(page.empty()) << "pdftotext";
  auto& f = c.Get<unit::frmInstall>();
  EXPECT_EQ(LineOf(page, "Unit address").find("4321"), 18u) << page;
  const std::string hvd1 = LineOf(page, "HVD1");
  EXPECT_EQ(hvd1.find(f.txtProp[27].Text()), 30u) << hvd1;
  EXPECT_EQ(hvd1.find(f.txtProp[28].Text()), 44u) << hvd1;
  const auto mark = [&](const char* key) {
    return unit::ReportFieldText(c, {unit::ReportItem::Kind::Key, 0, key});
  };
  std::string relays = LineOf(page, "Relays");
  relays.resize(60, ' ');
  EXPECT_EQ(relays.substr(21, 2), mark("IMGPV1") + mark("IMGPV2")) << relays;
  EXPECT_EQ(relays.substr(30, 1), mark("IMGLOAD1")) << relays;
  EXPECT_EQ(relays.substr(58, 1), mark("IMGGEN")) << relays;

  RunTool("pdftoppm", {"-png", "-r", "80", "-f", "1", "-l", "1", "-singlefile", pdf,
                   ScreensDir() + "/installation_report"});
  EXPECT_GT(QFileInfo(ScreensDir() + "/installation_report.png").size(), 10'000);
}

// Reports of one second each get a file of their own, numbered after the
// first; the button is captioned "Print".
TEST(ReportPdf, ReportsPrintedInTheSameSecondGiveAFileEach) {
  OfflineQtConsole q;
  app::Console& c = q.console;
  qtui::QtPrinter printer(q.folder.Path(), qtui::QtPrinter::Destination::Pdf,
                          [] { return QDateTime(QDate(2026, 3, 2), QTime(10, 4, 7)); });
  c.printer = &printer;
  ASSERT_EQ(testkit::LoadTextDump(c, testkit::PlainDump(testkit::SampleParameters())), "");
  auto& f = c.Get<unit::frmInstall>();
  f.Show();
  RunFor(q.rt, 20);
  auto* button = WidgetOf<QPushButton>(q.rt, f.cmdPrint);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), QStringLiteral("Print"));
  QtDialogOperator op;
  std::vector<std::string> pdfs;
  for (int i = 0; i < 3; ++i) {
    QTest::mouseClick(button, Qt::LeftButton);
    RunOperatorInput();
    pdfs.push_back(printer.LastPdf());
  }
  const std::string stem = q.folder.Path() + "/Report 2026-03-02 100407";
  EXPECT_EQ(pdfs, (std::vector<std::string>{stem + ".pdf", stem + " (2).pdf", stem + " (3).pdf"}));
  for (const std::string& pdf : pdfs) EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 1000) << pdf;
  EXPECT_EQ(op.messages.size(), 3);
}

TEST(ReportPdf, LoadFileWindowPicture) {
  OfflineQtConsole q;
  for (const char* name : {"North Ridge.vkx", "Pump station.vkx", "Relay hill.vkx", "notes.txt"})
    ASSERT_FALSE(q.folder.WriteFileAtomic(name, "255 0 3\r\n"));
  auto& picker = q.console.Get<app::frmLoad>();
  picker.Show();
  ASSERT_EQ(picker.List1.ListCount(), 3);
  picker.List1.UserSelect(1);
  SaveWindowShot(q.rt, picker, "load_file");

  // A double click on the root folder opens it in the widget's own signal.
  auto* folders = WidgetOf<QListWidget>(q.rt, picker.Dir1);
  ASSERT_NE(folders, nullptr);
  const QPoint root = folders->visualItemRect(folders->item(0)).center();
  QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, root);
  QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, root);
  RunFor(q.rt, 50);
  EXPECT_EQ(picker.Dir1.Path(), "/");
  EXPECT_EQ(picker.List1.ListCount(), 0);
}

}  // namespace
}  // namespace qttest
