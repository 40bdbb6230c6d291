// Access keys of the windows that share the keyboard with the main window:
// those inside it (the installation screen, the online window) and the small
// tool windows it owns (download and send progress). There Alt and a letter
// reach the main window's menu titles as well ("&Connection" beside
// "&Close" or "&Cancel"), and Qt opens the menu or, in a tool window, never
// asks the window's own control; the window the operator works in answers
// its own keys first, as any other window does. The menu titles keep the
// keys no control of it claims.
#include <QApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>

#include "qt/form_view.h"
#include "qt/form_window.h"
#include "ui/access_keys.h"
#include "ui/focus_order.h"

namespace qtui {

namespace {

// The letter or digit of Alt and a key, else 0.
char AccessLetter(const QKeyEvent* e) {
  if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return 0;
  const int key = e->key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<char>('a' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<char>('0' + (key - Qt::Key_0));
  return 0;
}

}  // namespace

bool QtFormView::ClaimsAccessKey(const QKeyEvent* e) const {
  if (!attached_ || (sub_ == nullptr && window_->windowType() != Qt::Tool)) return false;
  return !ui::AccessKeyTargets(form_, AccessLetter(e)).empty();
}

bool QtFormView::TakeAccessKey(const QKeyEvent* e) {
  Deliver([this, letter = AccessLetter(e)] { AnswerAccessKey(letter); });
  return true;
}

void QtFormView::AnswerAccessKey(char letter) {
  // The control whose widget has the focus or holds it, the last such in
  // focus order.
  const ui::Control* focused = nullptr;
  if (const QWidget* focus = QApplication::focusWidget())
    for (const ui::Control* control : ui::FocusOrder(form_)) {
      const QWidget* widget = WidgetOf(*control);
      if (widget != nullptr && (widget == focus || widget->isAncestorOf(focus))) focused = control;
    }
  ui::AnswerAccessKey(form_, letter, focused, [this](const ui::Control& control) {
    FocusControl(&control, Qt::ShortcutFocusReason);
  });
}

}  // namespace qtui
