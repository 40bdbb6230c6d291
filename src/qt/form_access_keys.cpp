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
#include <algorithm>

#include "qt/form_view.h"
#include "qt/form_window.h"
#include "ui/access_keys.h"
#include "ui/basic_controls.h"
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

// One control with the key answers it: a button is pressed, an option button
// or check box takes the focus and is pressed, a label moves the focus on.
// Several share it: the focus goes to the next of them, and none is pressed.
bool QtFormView::AnswerAccessKey(const QKeyEvent* e) {
  const std::vector<ui::Control*> targets = ui::AccessKeyTargets(form_, AccessLetter(e));
  if (targets.empty()) return false;
  ui::Control* target = targets.front();
  if (targets.size() > 1) {
    const std::vector<ui::Control*> order = ui::FocusOrder(form_);
    const QWidget* focus = QApplication::focusWidget();
    std::size_t at = 0;  // just after the focused control in the order
    for (std::size_t i = 0; i < order.size(); ++i) {
      const QWidget* widget = WidgetOf(*order[i]);
      if (widget != nullptr && focus != nullptr &&
          (widget == focus || widget->isAncestorOf(focus)))
        at = i + 1;
    }
    for (std::size_t i = at; i < order.size(); ++i)
      if (std::find(targets.begin(), targets.end(), order[i]) != targets.end()) {
        target = order[i];
        break;
      }
    if (target->Kind() == ui::ControlKind::Label) FocusAfter(*target);
    else FocusControl(target, Qt::ShortcutFocusReason);
    return true;
  }
  switch (target->Kind()) {
    case ui::ControlKind::CommandButton:
      static_cast<ui::CommandButton*>(target)->Press();
      break;
    case ui::ControlKind::OptionButton:
      FocusControl(target, Qt::ShortcutFocusReason);
      static_cast<ui::OptionButton*>(target)->Press();
      break;
    case ui::ControlKind::CheckBox:
      FocusControl(target, Qt::ShortcutFocusReason);
      static_cast<ui::CheckBox*>(target)->Press();
      break;
    default: FocusAfter(*target); break;
  }
  return true;
}

}  // namespace qtui
