#include "qt/operator_input.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>

#include "qt/qt_convert.h"

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

void DeliverWhile(QObject* guard, const bool& following, std::function<void()> to_model) {
  // `following` lives as long as `guard`, which RunAfterEvent checks first.
  RunAfterEvent(guard, [&following, to_model = std::move(to_model)] {
    if (following) to_model();
  });
}

std::function<void()> MouseCall(const ui::Event<int, int, double, double>& handler,
                                 const QMouseEvent& e, Qt::MouseButtons buttons, QPointF at) {
  return [&handler, button = VbButtons(buttons), shift = VbShift(e.modifiers()),
          x = PxToTwips(at.x()), y = PxToTwips(at.y())] { handler(button, shift, x, y); };
}

}  // namespace qtui
