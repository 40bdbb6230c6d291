// The menu bar of a form: one QMenu or QAction per menu model, kept in step
// with each entry's Caption, Checked, Enabled, Visible and Shortcut. Hidden
// entries stay out of the bar. Choosing an entry calls Menu::Choose.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "ui/form.h"
#include "ui/menu.h"

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace qtui {

class MenuBarView : public QObject {
 public:
  // A child of `window`, whose menu bar it fills.
  MenuBarView(ui::Form& form, QMainWindow& window);
  ~MenuBarView() override;

  // Builds the bar from the form's menus again (after menus were added or
  // removed); `leaving` is a menu about to be removed.
  void Rebuild(const ui::Menu* leaving = nullptr);
  void Detach();
  void ModelGone();

  // The action of a menu entry (tests).
  QAction* ActionOf(const ui::Menu& menu) const;

 private:
  struct Entry;
  void Build(ui::Menu& menu, QWidget* parent_menu, const ui::Menu* leaving);

  ui::Form& form_;
  QMainWindow& window_;
  std::vector<std::unique_ptr<Entry>> entries_;
  QPointer<QWidget> holder_;  // owns the menus and actions of one build
  int build_ = 0;             // counts builds, so a handler sees a rebuild
  bool attached_ = true;
};

}  // namespace qtui
