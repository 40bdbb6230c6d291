// What the operator types and pastes, on the console's real widgets: a
// one-line box drops the line breaks of a paste, so the settings file stays
// whole; the terminal sends Ctrl+letters and the grave accent as control
// codes without showing them, and its receive box keeps a long line whole.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <string>

#include "app/frm_debug.h"
#include "app/frm_select_modem.h"
#include "app/frm_settings.h"
#include "link/settings_access.h"
#include "pty_pair.h"
#include "screenshot_support.h"

namespace qttest {
namespace {

class TypedText : public ::testing::Test {
 protected:
  // The widget of a control, shown and focused.
  QWidget* Focus(ui::Form& form, const ui::Control& control) {
    if (!form.Visible()) form.Show();
    QWidget* widget = q.rt.ViewOf(form)->WidgetOf(control);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && combo->lineEdit())
      widget = combo->lineEdit();
    q.rt.WindowOf(form)->activateWindow();
    widget->setFocus();
    RunUntil(q.rt, [&] { return widget->hasFocus(); }, 2000);
    return widget;
  }
  // The operator selects everything in the box and pastes over it.
  void PasteOver(QWidget* widget, const QString& clipboard) {
    QApplication::clipboard()->setText(clipboard);
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
  }
  // Answers the next message box with Return once it is up.
  void AnswerNextBox() {
    QTimer::singleShot(0, &context_, [this] {
      if (RunUntil(q.rt, [] { return QApplication::activeModalWidget() != nullptr; }, 2000))
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);
    });
  }

  OfflineQtConsole q;
  QObject context_;
};

std::size_t Lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(TypedText, APasteIntoAOneLineBoxLosesItsLineBreaksAndTheSettingsFileStaysWhole) {
  app::Console& c = q.console;
  auto& modems = c.Get<app::frmSelectModem>();
  auto& settings = c.Get<app::frmSettings>();
  auto& terminal = c.Get<app::frmDebug>();
  settings.Show();
  settings.TabStrip1.UserSelect(app::kSettingsNetwork);
  struct Case {
    ui::Form& form;
    ui::Control& control;
    const char* pasted;
    std::string kept;
  };
  const Case cases[] = {
      {modems, modems.txtInit, "AT&F1S0=0\r\n***\r\n", "AT&F1S0=0***"},
      {settings, settings.txtPort, "4661\n", "4661"},
      {settings, settings.txtIP, "\r\n127.0.0.1\r", "127.0.0.1"},
      {terminal, terminal.txtIn, "line 1\r\nline 2", "line 1\r\nline 2"},  // a multi-line box keeps them
  };
  for (const Case& k : cases) {
    QWidget* widget = Focus(k.form, k.control);
    PasteOver(widget, QString::fromLatin1(k.pasted));
    const auto& box = static_cast<const ui::TextBox&>(k.control);
    EXPECT_EQ(box.Text(), k.kept) << k.control.Name();
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      EXPECT_EQ(line->text().toStdString(), k.kept) << "the widget shows what the model holds";
    }
  }
  settings.TabStrip1.UserSelect(app::kSettingsModem);
  PasteOver(Focus(settings, settings.cmbMRings), QStringLiteral("3\r\n"));
  EXPECT_EQ(settings.cmbMRings.Text(), "3") << "a combo box's edit part is a one-line box too";

  // OK keeps the one line the box holds, and the file written at the end of
  // the run keeps every setting for the next start.
  const std::string before = *q.folder.ReadFile(lnk::kSettingsFileName);
  AnswerNextBox();  // "Please restart the program ..."
  modems.cmdOK.Press();
  ASSERT_FALSE(lnk::SaveSettings(c));
  const std::string after = *q.folder.ReadFile(lnk::kSettingsFileName);
  EXPECT_EQ(Lines(after), Lines(before));
  ASSERT_FALSE(lnk::LoadSettings(c));
  EXPECT_EQ(lnk::SettingText(c, "ModemInit"), "AT&F1S0=0***");
  EXPECT_NE(c.settings.Find("frmProgress.Top"), 0);
}

// The terminal on a pty: every key goes out at once as its code.
TEST_F(TypedText, TheTerminalSendsCtrlLettersAndTheGraveAsControlCodesWithoutShowingThem) {
  PtyPair pty;
  ASSERT_TRUE(pty.Ok());
  app::Console& c = q.console;
  q.registry.SaveSetting("Ports", "COM5", pty.SlavePath());
  c.MSComm1.CommPort = 5;
  c.MSComm1.Settings = "9600,N,8,1";
  auto& terminal = c.Get<app::frmDebug>();
  QWidget* out = Focus(terminal, terminal.txtOut);
  struct Key {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* sent;
    const char* shown;
  };
  const Key keys[] = {
      {Qt::Key_A, Qt::NoModifier, "a", "a"},
      {Qt::Key_C, Qt::ControlModifier, "\x03", "a"},
      {Qt::Key_Q, Qt::ControlModifier, "\x11", "a"},
      {Qt::Key_S, Qt::ControlModifier, "\x13", "a"},
      {Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier, "\x17", "a"},
      {Qt::Key_QuoteLeft, Qt::NoModifier, "\x1b", "a"},
      {Qt::Key_T, Qt::NoModifier, "t", "at"},
      {Qt::Key_Return, Qt::NoModifier, "\r\r", ""},
  };
  for (const Key& k : keys) {
    QTest::keyClick(out, static_cast<Qt::Key>(k.key), k.modifiers);
    EXPECT_EQ(pty.Read(std::string(k.sent).size()), k.sent) << k.key;
    EXPECT_EQ(terminal.txtOut.Text(), k.shown) << k.key;
    EXPECT_EQ(qobject_cast<QLineEdit*>(out)->text().toStdString(), k.shown) << k.key;
  }
}

// A 300-character status line stays one line: the box has both bars and
// does not wrap.
TEST_F(TypedText, TheTerminalsReceiveBoxKeepsALongLineWholeBetweenItsTwoBars) {
  auto& terminal = q.console.Get<app::frmDebug>();
  terminal.Show();
  std::string status = "U";
  while (status.size() < 300) status += " 12.34";
  terminal.txtIn.Append(status + "\r\n");
  RunFor(q.rt, 50);
  auto* in = WidgetOf<QPlainTextEdit>(q.rt, terminal.txtIn);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(in->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(in->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(in->document()->firstBlock().layout()->lineCount(), 1);
  EXPECT_GT(in->horizontalScrollBar()->maximum(), 0) << "the rest of the line is a scroll away";
}

}  // namespace
}  // namespace qttest
