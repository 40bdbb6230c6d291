// Plays the operator at Qt's own dialogs while a command runs them modally:
// message boxes are read and accepted whenever they come, and the other
// steps (a file dialog, an input box, a modal window of the program) act in
// the order they were given. A step acts from the event loop once it is
// ready, so what it does may open a modal dialog of its own.
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>

namespace qttest {

class QtDialogOperator {
 public:
  // ready: the step can act now, given the modal window on top (nullptr
  // when none is); act: what it does then, on that window.
  using Ready = std::function<bool(QWidget* modal)>;
  using Act = std::function<void(QWidget* modal)>;

  QtDialogOperator() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(20);
  }

  QtDialogOperator& Then(Ready ready, Act act) {
    steps_.push_back({std::move(ready), std::move(act)});
    return *this;
  }
  // Chooses path in the next file dialog.
  QtDialogOperator& ChooseFile(const QString& path) {
    return Then([](QWidget* modal) { return qobject_cast<QFileDialog*>(modal) != nullptr; },
                [path](QWidget* modal) {
                  if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                    // Typed into the name box, as an operator would: selectFile
                    // leaves a box that has the focus alone.
                    const QFileInfo file(path);
                    dialog->setDirectory(file.absolutePath());
                    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                      name->setText(file.fileName());
                    static_cast<QDialog*>(dialog)->accept();
                  }
                });
  }
  // Answers the next input box with text.
  QtDialogOperator& Answer(const QString& text) {
    return Then([](QWidget* modal) { return qobject_cast<QInputDialog*>(modal) != nullptr; },
                [text](QWidget* modal) {
                  if (auto* dialog = qobject_cast<QInputDialog*>(modal)) {
                    dialog->setTextValue(text);
                    dialog->accept();
                  }
                });
  }

  bool Done() const { return steps_.empty(); }
  // The texts of the message boxes shown, as the operator read them.
  QStringList messages;

 private:
  struct Step {
    Ready ready;
    Act act;
  };

  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      messages << box->text();
      box->accept();
      return;
    }
    if (steps_.empty() || !steps_.front().ready(modal)) return;
    QTimer::singleShot(0, [act = std::move(steps_.front().act), target = QPointer<QWidget>(modal)] {
      act(target);
    });
    steps_.pop_front();
  }

  std::deque<Step> steps_;
  QTimer timer_;
};

}  // namespace qttest
