#include "qt/form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace qtui {

void FormWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  if (on_close_box) on_close_box();
}

void FormWindow::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  // Only a top-level window is activated; the children of an active window
  // hear of it too, and must not count.
  if (e->type() == QEvent::ActivationChange && isWindow() && isActiveWindow() && on_activated)
    on_activated();
  if (e->type() == QEvent::WindowStateChange && on_state_changed) on_state_changed();
}

void FormWindow::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  if (on_resized) on_resized();
}

void FormWindow::moveEvent(QMoveEvent* e) {
  QMainWindow::moveEvent(e);
  if (on_moved) on_moved();
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
  if (on_key && on_key(e)) {
    e->accept();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

}  // namespace qtui

namespace qtui {

bool FormWindow::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride && on_shortcut_override &&
      on_shortcut_override(static_cast<QKeyEvent*>(e))) {
    e->accept();
    return true;
  }
  return QMainWindow::event(e);
}

}  // namespace qtui
