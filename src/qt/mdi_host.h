// The multiple-document frame of the main window: the MDI area of an MDI
// form, and the sub-windows that hold its child forms.
#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <functional>

namespace qtui {

// The MDI area of an MDI form; on_child_activated runs with the form window
// inside each sub-window that becomes the active one.
QMdiArea* MakeMdiArea(QWidget* parent, std::function<void(QWidget* form_window)> on_child_activated);

// Mouse presses on the empty frame (outside the child windows) go to
// on_press, in pixels of the area.
void OnEmptyAreaPress(QMdiArea& area, std::function<void(QMouseEvent*)> on_press);

// Puts a child form's window into the area, in a sub-window that only the
// form's model may close.
QMdiSubWindow* AddMdiChild(QMdiArea& area, QWidget& form_window);

}  // namespace qtui
