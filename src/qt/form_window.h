// The window of a form: a QMainWindow (so menu bar, tool bar and status bar
// have their places) whose events go to callbacks of the form's view. The
// close box never closes it directly: the view asks the model to unload.
#pragma once

#include <QMainWindow>
#include <functional>

#include "qt/hooked_widget.h"

namespace qtui {

class FormWindow : public QMainWindow {
 public:
  explicit FormWindow(QWidget* parent = nullptr) : QMainWindow(parent) {}

  std::function<void()> on_close_box;
  std::function<void()> on_activated;
  std::function<void()> on_state_changed;
  std::function<void()> on_resized;
  std::function<void()> on_moved;
  // Keys no control took (Enter, Escape); true when handled.
  std::function<bool(QKeyEvent*)> on_key;
  // Asked before Qt's shortcuts see a key; true keeps the key from them, so
  // that it comes to on_key instead.
  std::function<bool(QKeyEvent*)> on_shortcut_override;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool event(QEvent* e) override;
};

// The inner area of a form: paints the form's colour, picture and display
// list and reports the mouse.
using FormSurface = Hooked<Painted<QWidget>>;

}  // namespace qtui
