#include "qt/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <span>

#include "qt/one_line_edit.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

QString TitleOrDefault(std::string_view title) {
  return title.empty() ? QString::fromLatin1(kDefaultDialogTitle) : ToQt(title);
}

QMessageBox::StandardButton QtButtonOf(int answer) {
  switch (answer) {
    case ui::vbCancel: return QMessageBox::Cancel;
    case ui::vbAbort: return QMessageBox::Abort;
    case ui::vbRetry: return QMessageBox::Retry;
    case ui::vbIgnore: return QMessageBox::Ignore;
    case ui::vbYes: return QMessageBox::Yes;
    case ui::vbNo: return QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

QMessageBox::Icon IconOf(int vb_buttons) {
  switch (vb_buttons & 0x70) {
    case ui::vbCritical: return QMessageBox::Critical;
    case ui::vbQuestion: return QMessageBox::Question;
    case ui::vbExclamation: return QMessageBox::Warning;
    case ui::vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// Qt sizes a message box for its text and buttons and allows its title only
// 50 pixels beside it, less than the window frame's icon and buttons take:
// a short message ("Invalid Password ") then shows a cut title. A spacer
// across the box's grid makes it as wide as TitleRoomWidth asks.
void KeepTitleWhole(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  grid->addItem(new QSpacerItem(TitleRoomWidth(box.windowTitle()), 0, QSizePolicy::Fixed,
                                QSizePolicy::Minimum),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

int TitleRoomWidth(const QString& title) {
  // Frames draw titles in a bold face, often larger than the dialog's.
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  const int text = QFontMetrics(font).horizontalAdvance(title);
  return text + text / 4 + kTitleFrameRoom;
}

int ShowMessageBox(QWidget* parent, std::string_view prompt, int buttons, std::string_view title) {
  QMessageBox box(IconOf(buttons), TitleOrDefault(title), MessageToQt(prompt), QMessageBox::NoButton,
                  parent);
  const std::span<const int> answers = ui::MsgBoxAnswers(buttons);
  const int escape_answer = ui::EscapeAnswer(buttons);
  for (const int answer : answers) {
    box.addButton(QtButtonOf(answer));
    if (answer == escape_answer) box.setEscapeButton(QtButtonOf(answer));
  }
  const size_t default_index = static_cast<size_t>((buttons >> 8) & 0x03);  // vbDefaultButton2 = 256
  if (default_index < answers.size()) box.setDefaultButton(QtButtonOf(answers[default_index]));
  KeepTitleWhole(box);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const int answer : answers)
    if (clicked != nullptr && clicked == box.button(QtButtonOf(answer))) return answer;
  return escape_answer;
}

std::string AskText(QWidget* parent, std::string_view prompt, std::string_view title,
                    std::string_view default_text) {
  QInputDialog dialog(parent);
  dialog.setWindowTitle(TitleOrDefault(title));
  dialog.setLabelText(ToQt(prompt));
  dialog.setTextValue(ToQt(default_text));
  dialog.setInputMode(QInputDialog::TextInput);
  if (auto* edit = dialog.findChild<QLineEdit*>()) KeepOnOneLine(*edit);
  if (dialog.exec() != QDialog::Accepted) return {};
  return FromQt(dialog.textValue());
}

std::string AskFileName(QWidget* parent, const ui::FileDialogRequest& request) {
  QString start = PathToQt(request.initial_dir);
  if (!request.file_name.empty())
    start = start.isEmpty() ? PathToQt(request.file_name)
                            : QDir(start).filePath(PathToQt(request.file_name));
  const QString title = TitleOrDefault(request.title);
  const QString filter = QtFileFilter(request.filter);
  const QStringList filters = filter.split(QStringLiteral(";;"));
  QString selected = filters.value(request.filter_index - 1);
  const QString chosen =
      request.save ? QFileDialog::getSaveFileName(parent, title, start, filter, &selected)
                   : QFileDialog::getOpenFileName(parent, title, start, filter, &selected);
  return PathFromQt(chosen);
}

QString QtFileFilter(std::string_view filter) {
  const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
      pattern = pattern.trimmed();
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");  // also names without a dot
    }
    // "Text Files (*.txt)" names its patterns already: Qt's are put in their place.
    QString name = parts[i].trimmed();
    if (name.endsWith(QLatin1Char(')')) && name.contains(QLatin1Char('(')))
      name = name.left(name.lastIndexOf(QLatin1Char('('))).trimmed();
    entries << QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
  }
  return entries.join(QStringLiteral(";;"));
}

}  // namespace qtui
