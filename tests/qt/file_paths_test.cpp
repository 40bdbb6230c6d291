// Paths through the Qt boundary: a console whose program folder is named
// with letters beyond ASCII (Latin, Cyrillic, CJK) adds, selects, shows and
// edits a map bitmap there, saves a status file under a typed name and picks
// it in the Load File window, opens a file dialog there for a bulk dump, and
// writes its report PDF there; what the
// operator reads of a path is the path's own letters. And the lists of the
// pickers open with nothing chosen.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <ostream>
#include <string>

#include "app/console.h"
#include "app/frm_load.h"
#include "app/status_file.h"
#include "app/typed_file_save.h"
#include "console_harness.h"
#include "dump_loader.h"
#include "link/settings_access.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "qt/named_pictures.h"
#include "qt/qt_convert.h"
#include "qt/qt_printer.h"
#include "qt_dialog_operator.h"
#include "qt_test_support.h"
#include "screenshot_support.h"
#include "sites/frm_map.h"
#include "sites/frm_select_map.h"
#include "sites/map_catalogue.h"
#include "unit/frm_install.h"

namespace qttest {
namespace {

namespace fs = std::filesystem;

QString Utf8(const std::string& bytes) { return QString::fromUtf8(bytes.data(), bytes.size()); }

// Types one letter into a widget as a keyboard would.
void TypeLetter(QWidget* widget, const QString& letter) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, letter);
  QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, letter);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
}

struct Script {
  const char* folder;  // the program folder's name
  const char* bitmap;  // a bitmap's name in it
  const char* letter;  // a letter of the script, typed
};

void PrintTo(const Script& script, std::ostream* out) { *out << script.folder; }

class FilePaths : public ::testing::TestWithParam<Script> {};

TEST_P(FilePaths, AMapBitmapInTheFolderIsAddedSelectedShownAndEdited) {
  OfflineQtConsole q(GetParam().folder);
  const std::string bitmap = q.folder.FilePath(GetParam().bitmap);
  ASSERT_TRUE(fs::copy_file(testkit::ShippedDataDir() + "/TEVH.bmp", bitmap));
  auto& dialog = q.console.Get<sites::frmSelectMap>();
  dialog.Show();
  QtDialogOperator op;
  op.ChooseFile(Utf8(bitmap)).Answer(QStringLiteral("C\u00f4te"));
  dialog.cmdAdd.Press();
  EXPECT_TRUE(op.Done());
  const std::string added = "C\xF4te\xFF" "00001\xFE" + bitmap + "\r\n";
  EXPECT_NE(q.folder.ReadFile("Maps.ini").value_or("").find(added), std::string::npos);

  const int index = dialog.lstMaps.ListCount() - 1;
  dialog.lstMaps.UserSelect(index);
  dialog.SelectMap(index);
  EXPECT_EQ(op.messages, QStringList()) << op.messages.join('\n').toStdString();
  EXPECT_EQ(q.registry.GetSetting("Settings", "CurrentMap", ""), bitmap);
  EXPECT_EQ(qtui::PicturePixmap(q.console.Get<sites::frmMap>().imgMap.Picture(), 0).size(),
            QSize(800, 600));

  // Map Properties shows the path in its letters; a letter typed there
  // joins it as the file system writes it, and OK keeps the rest.
  auto& props = q.console.Get<sites::frmMapProps>();
  props.Show();
  props.SetCurrentMapID(1);
  props.txtMapName.Text = "C\xF4te";
  props.txtPath.Text = bitmap;
  RunFor(q.rt, 30);
  auto* path_box = WidgetOf<QLineEdit>(q.rt, props.txtPath);
  ASSERT_NE(path_box, nullptr);
  EXPECT_EQ(path_box->text(), Utf8(bitmap));
  path_box->setFocus();
  path_box->end(false);
  TypeLetter(path_box, Utf8(GetParam().letter));
  EXPECT_EQ(props.txtPath.Text(), bitmap + GetParam().letter);
  EXPECT_TRUE(props.cmdApply.Enabled());
  props.Command2.Press();
  EXPECT_NE(q.folder.ReadFile("Maps.ini").value_or("").find("\xFE" + bitmap + GetParam().letter + "\r\n"),
            std::string::npos);

  // A bitmap that is not there is named in its letters.
  const std::string gone = q.folder.FilePath(std::string("gone ") + GetParam().bitmap);
  ASSERT_FALSE(q.folder.WriteFileAtomic("Maps.ini", sites::MapLine("Gone", 9, gone) + "\r\n"));
  dialog.FillMapList();
  dialog.SelectMap(0);
  EXPECT_EQ(op.messages, QStringList{Utf8("File not found: " + gone)});
}

TEST_P(FilePaths, StatusAndBulkFilesAreSavedAndPickedInTheFolder) {
  OfflineQtConsole q(GetParam().folder);
  app::Console& c = q.console;
  const std::string bytes = app::TextStatusFileBytes(
      testkit::PlainDump(testkit::SampleParameters()), "U 26/03/02 5 10:04:07", "V 0 0 1");
  QtDialogOperator op;
  op.Answer(QStringLiteral("\u00e9t\u00e9"));
  app::SaveUnderTypedName(c, "Please enter a filename to save status (no extension):",
                          "Save Status", bytes);
  const std::string saved = q.folder.FilePath("\xC3\xA9t\xC3\xA9.vkx");  // "été" as UTF-8
  EXPECT_EQ(platform::ReadWholeFile(saved).value_or("(none)"), bytes);

  auto& picker = c.Get<app::frmLoad>();
  QStringList files, folders;
  op.Then([&](QWidget*) { return WidgetOf<QListWidget>(q.rt, picker.List1) != nullptr; },
          [&](QWidget*) {
            auto* file_list = WidgetOf<QListWidget>(q.rt, picker.List1);
            auto* folder_list = WidgetOf<QListWidget>(q.rt, picker.Dir1);
            for (int i = 0; i < file_list->count(); ++i) files << file_list->item(i)->text();
            for (int i = 0; i < folder_list->count(); ++i)
              folders << folder_list->item(i)->text().trimmed();
            const auto found = file_list->findItems(QStringLiteral("\u00e9t\u00e9.vkx"), Qt::MatchExactly);
            if (!found.isEmpty())
              QTest::mouseClick(file_list->viewport(), Qt::LeftButton, {},
                                file_list->visualItemRect(found.front()).center());
            picker.cmdOK.Press();
          });
  picker.Show(true);
  EXPECT_TRUE(files.contains(QStringLiteral("\u00e9t\u00e9.vkx"))) << files.join('|').toStdString();
  EXPECT_TRUE(folders.contains(Utf8(GetParam().folder))) << folders.join('|').toStdString();
  EXPECT_EQ(c.st.StatusFilePath, fs::absolute(saved).string());
  EXPECT_EQ(platform::ReadWholeFile(c.st.StatusFilePath).value_or("(none)"), bytes);

  // A bulk dump is chosen in a file dialog that opens on the folder.
  ASSERT_FALSE(q.folder.WriteFileAtomic("unit.bdd", std::string(300, '\x01')));
  QString opened_on;
  op.Then([](QWidget* modal) { return qobject_cast<QFileDialog*>(modal) != nullptr; },
          [&](QWidget* modal) { opened_on = qobject_cast<QFileDialog*>(modal)->directory().absolutePath(); })
      .ChooseFile(Utf8(q.folder.FilePath("unit.bdd")));
  ui::FileDialogRequest request;
  request.filter = "Bulk Dump Files|*.bdd";
  request.initial_dir = q.folder.Path();
  EXPECT_EQ(q.rt.FileDialog(request), q.folder.FilePath("unit.bdd"));
  EXPECT_EQ(opened_on, Utf8(q.folder.Path()));
  EXPECT_EQ(op.messages, QStringList());
}

TEST_P(FilePaths, TheReportPdfIsWrittenInTheFolderAndItsPathShownInItsLetters) {
  OfflineQtConsole q(GetParam().folder);
  app::Console& c = q.console;
  qtui::QtPrinter printer(q.folder.Path(), qtui::QtPrinter::Destination::Pdf,
                          [] { return QDateTime(QDate(2026, 3, 2), QTime(10, 4, 7)); });
  c.printer = &printer;
  ASSERT_EQ(testkit::LoadTextDump(c, testkit::PlainDump(testkit::SampleParameters())), "");
  QtDialogOperator op;
  c.Get<unit::frmInstall>().Show();
  c.Get<unit::frmInstall>().cmdPrint.Press();
  const std::string pdf = q.folder.FilePath("Report 2026-03-02 100407.pdf");
  EXPECT_EQ(printer.LastPdf(), pdf);
  EXPECT_GT(fs::file_size(pdf), 1000u);
  EXPECT_EQ(op.messages, QStringList{Utf8("The report was saved as \"" + pdf + "\".")});
}

std::string ScriptName(const ::testing::TestParamInfo<Script>& script) {
  return std::string(script.index == 0 ? "Latin" : script.index == 1 ? "Cyrillic" : "Cjk");
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, FilePaths,
    ::testing::Values(Script{"Donn\u00e9es \u00e9t\u00e9", "carte \u00e9.bmp", "\u00e8"},
                      Script{"\u041a\u0430\u0440\u0442\u044b", "\u043a\u0430\u0440\u0442\u0430.bmp", "\u0451"},
                      Script{"\u5730\u56f3 \u30c7\u30fc\u30bf", "\u5730\u56f3.bmp", "\u56f3"}),
    ScriptName);

// Message texts show a path's letters among the program's 8-bit text, and a
// path goes to Qt and back as the file system's own bytes.
TEST(QtPathText, MessagesShowPathLettersAndPathsKeepTheirBytes) {
  const std::pair<std::string, QString> messages[] = {
      {"Caf\xE9 North", QStringLiteral("Caf\u00e9 North")},  // the program's own text
      {"File not found: /home/op/\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B/map.bmp",
       QStringLiteral("File not found: /home/op/\u041a\u0430\u0440\u0442\u044b/map.bmp")},
      {"Site \xE9 in /srv/\xE5\x9C\xB0\xE5\x9B\xB3", QStringLiteral("Site \u00e9 in /srv/\u5730\u56f3")},
      {"\xF0\x9F\x97\xBA map", QString::fromUtf8("\xF0\x9F\x97\xBA map")},
      {"\xC3 alone, \xC0\x80 overlong", QStringLiteral("\u00c3 alone, \u00c0\u0080 overlong")}};
  for (const auto& [text, shown] : messages) EXPECT_EQ(qtui::MessageToQt(text), shown) << text;
  for (const std::string path : {"/tmp/Donn\xC3\xA9" "es/carte.bmp", "/\xD0\x9A/\xE5\x9C\xB0.vkx", "/plain"})
    EXPECT_EQ(qtui::PathFromQt(qtui::PathToQt(path)), path);
  EXPECT_EQ(qtui::PathToQt("/tmp/\xD0\x9A"), QStringLiteral("/tmp/\u041a"));
}

// ---- the pickers' lists ------------------------------------------------------------

// A list that takes the focus when its window opens chooses nothing, and so
// does one whose choice a Ctrl+click cleared: OK in Load File asks for a
// file, OK in Select Map closes without changing the map.
TEST(FilePickers, AListFocusedOnOpeningOrClearedByCtrlClickChoosesNothing) {
  OfflineQtConsole q("pickers");
  for (const char* name : {"North.vkx", "South.vkx"}) ASSERT_FALSE(q.folder.WriteFileAtomic(name, "2\r\n"));
  auto& picker = q.console.Get<app::frmLoad>();
  auto& maps = q.console.Get<sites::frmSelectMap>();
  const struct {
    ui::Form& form;
    ui::ListBox& list;
    ui::CommandButton& ok;
    ui::CommandButton& cancel;
  } windows[] = {{picker, picker.List1, picker.cmdOK, picker.cmdCancel},
                 {maps, maps.lstMaps, maps.Command1, maps.cmdCancel}};
  for (const bool ctrl_click : {false, true}) {
    for (const auto& w : windows) {
      QtDialogOperator op;
      int polls = 0;
      bool focused = false;
      int chosen = -2;
      op.Then(
          [&](QWidget*) {
            auto* list = WidgetOf<QListWidget>(q.rt, w.list);
            focused = list != nullptr && list->hasFocus();
            return focused || ++polls > 100;
          },
          [&](QWidget*) {
            auto* list = WidgetOf<QListWidget>(q.rt, w.list);
            if (ctrl_click && list->count() > 0) {
              const QPoint first = list->visualItemRect(list->item(0)).center();
              QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
              EXPECT_EQ(w.list.ListIndex(), 0);
              QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, first);
              EXPECT_TRUE(list->selectedItems().isEmpty());
            }
            chosen = w.list.ListIndex();
            QTest::mouseClick(WidgetOf<QPushButton>(q.rt, w.ok), Qt::LeftButton);
            RunOperatorInput();
            if (w.form.Visible()) w.cancel.Press();
          });
      w.form.Show(true);
      const std::string name = w.form.Name() + (ctrl_click ? " after Ctrl+click" : "");
      EXPECT_TRUE(focused) << name;
      EXPECT_EQ(chosen, -1) << name;
      EXPECT_EQ(op.messages, &w.form == &picker
                                 ? QStringList{QStringLiteral("Please select a file or press 'Cancel'.")}
                                 : QStringList())
          << name;
    }
  }
  EXPECT_EQ(q.console.st.StatusFilePath, "");
  EXPECT_EQ(q.registry.GetSetting("Settings", "CurrentMap", "(unchanged)"), "(unchanged)");
}

}  // namespace
}  // namespace qttest
