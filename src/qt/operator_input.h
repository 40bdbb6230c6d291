// Operator input (a click, a chosen menu entry, a key that presses a button)
// reaches the program's handlers only once Qt has finished with the event
// that carried it. A handler may run a whole session, waiting in nested
// event processing; Qt's code for the widget that took the input must not
// be on the stack meanwhile, since that widget may be deleted in the wait
// and Qt writes to it again when the handler returns.
#pragma once

#include <QObject>
#include <functional>

namespace qtui {

// Runs `action` on the next turn of the event loop, after the event being
// handled now has returned, unless `guard` has been deleted by then. Calls
// run in the order they were made.
void RunAfterEvent(QObject* guard, std::function<void()> action);

}  // namespace qtui
