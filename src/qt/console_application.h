// The program's QApplication. A fault inside a handler of the program (an
// exception escaping a window's event) must not take the whole console down
// with a session open: it is reported to the operator and the event is
// dropped, and the program goes on.
//
// It also keeps an object alive while one of its events, or an event of an
// object inside it, is still being handled further down the stack. The
// program waits in nested event processing (a session's receive loop), and
// there Qt deletes an object released with deleteLater from a deeper event
// even when the object's own event handler is still running beneath the wait;
// such a deletion is held back until that handler has returned.
#pragma once

#include <QApplication>
#include <QPointer>

#include <cstddef>

#include <functional>
#include <string>
#include <vector>

namespace qtui {

class ConsoleApplication : public QApplication {
 public:
  ConsoleApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;

  // Tells the operator of a fault (a message box unless replaced).
  std::function<void(const std::string&)> report_fault;

  // How many events of `object`, or of objects inside it, are being handled
  // now.
  int EventsInHand(QObject& object) const;

 private:
  struct Held {
    QPointer<QObject> object;
    std::size_t depth;  // its outermost event's place in delivering_
  };
  bool Deliver(QObject* receiver, QEvent* event);
  // The place in delivering_ of the outermost event of `object` or of an
  // object inside it; npos when there is none.
  std::size_t OutermostEventOf(QObject& object) const;

  // The receivers of the events being handled, outermost first. Only
  // compared, never followed: a receiver may be deleted by its own event.
  std::vector<const QObject*> delivering_;
  std::vector<Held> held_;
};

}  // namespace qtui
