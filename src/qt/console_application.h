// The program's QApplication. A fault inside a handler of the program (an
// exception escaping a window's event) must not take the whole console down
// with a session open: it is reported to the operator and the event is
// dropped, and the program goes on.
#pragma once

#include <QApplication>

#include <functional>
#include <string>

namespace qtui {

class ConsoleApplication : public QApplication {
 public:
  ConsoleApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;

  // Tells the operator of a fault (a message box unless replaced).
  std::function<void(const std::string&)> report_fault;
};

}  // namespace qtui
