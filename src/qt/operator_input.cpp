#include "qt/operator_input.h"

#include <QCoreApplication>
#include <QPointer>

namespace qtui {

// Posted to the application object, which outlives every window: the call
// then runs with no widget's event code beneath it, and posted calls keep
// their order.
void RunAfterEvent(QObject* guard, std::function<void()> action) {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [guard = QPointer<QObject>(guard), action = std::move(action)] {
        if (guard != nullptr) action();
      },
      Qt::QueuedConnection);
}

}  // namespace qtui
