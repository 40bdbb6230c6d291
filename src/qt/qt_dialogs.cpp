#include "qt/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "qt/one_line_edit.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

QString TitleOrDefault(std::string_view title) {
  return title.empty() ? QString::fromLatin1(kDefaultDialogTitle) : ToQt(title);
}

struct ButtonSet {
  std::vector<std::pair<QMessageBox::StandardButton, int>> buttons;  // in order, with answers
  int escape_answer;  // the answer when the box is closed without a button
};

ButtonSet ButtonsOf(int vb_buttons) {
  using B = QMessageBox;
  switch (vb_buttons & 0x0F) {
    case ui::vbOKCancel: return {{{B::Ok, ui::vbOK}, {B::Cancel, ui::vbCancel}}, ui::vbCancel};
    case ui::vbAbortRetryIgnore:
      return {{{B::Abort, ui::vbAbort}, {B::Retry, ui::vbRetry}, {B::Ignore, ui::vbIgnore}},
              ui::vbAbort};
    case ui::vbYesNoCancel:
      return {{{B::Yes, ui::vbYes}, {B::No, ui::vbNo}, {B::Cancel, ui::vbCancel}}, ui::vbCancel};
    case ui::vbYesNo: return {{{B::Yes, ui::vbYes}, {B::No, ui::vbNo}}, ui::vbNo};
    case ui::vbRetryCancel:
      return {{{B::Retry, ui::vbRetry}, {B::Cancel, ui::vbCancel}}, ui::vbCancel};
    default: return {{{B::Ok, ui::vbOK}}, ui::vbOK};
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

}  // namespace

int ShowMessageBox(QWidget* parent, std::string_view prompt, int buttons, std::string_view title) {
  QMessageBox box(IconOf(buttons), TitleOrDefault(title), MessageToQt(prompt), QMessageBox::NoButton,
                  parent);
  const ButtonSet set = ButtonsOf(buttons);
  for (const auto& [button, answer] : set.buttons) box.addButton(button);
  const size_t default_index = static_cast<size_t>((buttons >> 8) & 0x03);  // vbDefaultButton2 = 256
  if (default_index < set.buttons.size()) box.setDefaultButton(set.buttons[default_index].first);
  for (const auto& [button, answer] : set.buttons)
    if (answer == set.escape_answer) box.setEscapeButton(button);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const auto& [button, answer] : set.buttons)
    if (clicked != nullptr && clicked == box.button(button)) return answer;
  return set.escape_answer;
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
