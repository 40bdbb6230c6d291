// Operator input (a click, a chosen menu entry, a key that presses a button)
// reaches the program's handlers only once Qt has finished with the event
// that carried it. A handler may run a whole session, waiting in nested
// event processing; Qt's code for the widget that took the input must not
// be on the stack meanwhile, since that widget may be deleted in the wait
// and Qt writes to it again when the handler returns.
#pragma once

#include <QObject>
#include <QPointF>
#include <functional>

#include "ui/event.h"

class QMouseEvent;

namespace qtui {

// Runs `action` on the next turn of the event loop, after the event being
// handled now has returned, unless `guard` has been deleted by then. Calls
// run in the order they were made.
void RunAfterEvent(QObject* guard, std::function<void()> action);

// Runs `to_model` as RunAfterEvent does, if the view `guard` still follows
// its model then (`following`, a flag of the view's own).
void DeliverWhile(QObject* guard, const bool& following, std::function<void()> to_model);

// A model's mouse event called with what `e` tells: `buttons`, the shift
// state, and the point `at` (pixels) in twips; taken now, to run later.
std::function<void()> MouseCall(const ui::Event<int, int, double, double>& handler,
                                 const QMouseEvent& e, Qt::MouseButtons buttons, QPointF at);

}  // namespace qtui
