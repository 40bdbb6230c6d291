// Test tooling: the hands and eyes of an operator inside the real console
// binary, loaded with LD_PRELOAD by the end-to-end tests (the offscreen
// platform takes no outside input). It starts with the QApplication:
//
//   VKX_OPERATOR_KEYS="Alt+C D"  keys typed through the window system, one
//                                each 400 ms, from VKX_OPERATOR_AFTER_MS
//                                (default 3000) after start
//   VKX_OPERATOR_REPORT=FILE     each message box shown is appended as a
//                                line "box: <text>" (line breaks as blanks)
//
// The program's own code is untouched: the keys take the path a real
// keyboard takes (QWindowSystemInterface through QTest), so the menus, the
// popups and the key handlers see what they see in use.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QKeySequence>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

class BoxWatcher final : public QObject {
 public:
  BoxWatcher(QObject* parent, QString path) : QObject(parent), path_(std::move(path)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show)
      if (auto* box = qobject_cast<QMessageBox*>(watched)) {
        QFile file(path_);
        if (file.open(QIODevice::Append)) {
          QString text = box->text();
          text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
          file.write("box: " + text.toUtf8() + "\n");
        }
      }
    return false;
  }

 private:
  QString path_;
};

// The window that takes the keyboard: the active one (a popup menu gets its
// keys through it), else the first top-level window shown.
QWindow* KeyboardWindow() {
  if (QWidget* active = QApplication::activeWindow()) return active->windowHandle();
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && top->windowHandle() != nullptr) return top->windowHandle();
  return nullptr;
}

void TypeFrom(QStringList keys) {
  if (keys.isEmpty()) return;
  const QKeySequence sequence = QKeySequence::fromString(keys.takeFirst(), QKeySequence::PortableText);
  if (!sequence.isEmpty())
    if (QWindow* window = KeyboardWindow()) {
      const QKeyCombination combination = sequence[0];
      QTest::keyClick(window, combination.key(), combination.keyboardModifiers());
    }
  // Each key from a fresh turn of the event loop, as a typist's would come.
  QTimer::singleShot(400, qApp, [keys] { TypeFrom(keys); });
}

void StartTyping() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  const QStringList keys =
      qEnvironmentVariable("VKX_OPERATOR_KEYS").split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (keys.isEmpty()) return;
  bool ok = false;
  int after = qEnvironmentVariableIntValue("VKX_OPERATOR_AFTER_MS", &ok);
  if (!ok) after = 3000;
  QTimer::singleShot(after, qApp, [keys] { TypeFrom(keys); });
}

// Called while QCoreApplication is being built, before the QApplication
// around it is: the boxes are watched from the first one on (the start-up's
// boxes come before any turn of the event loop); the typing waits for the
// first turn.
void StartOperator() {
  const QString report = qEnvironmentVariable("VKX_OPERATOR_REPORT");
  QCoreApplication* app = QCoreApplication::instance();
  if (!report.isEmpty()) app->installEventFilter(new BoxWatcher(app, report));
  QMetaObject::invokeMethod(app, &StartTyping, Qt::QueuedConnection);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartOperator)
