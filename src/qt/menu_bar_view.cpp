#include "qt/menu_bar_view.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "qt/operator_input.h"
#include "qt/qt_convert.h"

namespace qtui {

struct MenuBarView::Entry : ui::ControlObserver {
  Entry() = default;
  Entry(const Entry&) = delete;
  Entry& operator=(const Entry&) = delete;
  virtual ~Entry() = default;

  ui::Menu* menu = nullptr;
  QAction* action = nullptr;
  bool attached = true;

  void ControlChanged(ui::Control&, ui::Prop) override {
    if (attached) Apply();
  }
  void Apply() {
    const ui::Menu& m = *menu;
    // A separator keeps no text: styles draw a separator with text as a
    // titled section, which shows the "-" caption as an entry.
    const bool separator = m.IsSeparator();
    action->setSeparator(separator);
    action->setText(separator ? QString() : ToQt(m.Caption()));
    action->setCheckable(m.Checked());
    action->setChecked(m.Checked());
    action->setEnabled(m.Enabled());
    action->setVisible(m.Visible());
    action->setShortcut(QKeySequence(ToQt(m.Shortcut()), QKeySequence::PortableText));
  }
  void Detach() {
    if (attached && menu->Observer() == this) menu->SetObserver(nullptr);
    attached = false;
  }
};

MenuBarView::MenuBarView(ui::Form& form, QMainWindow& window)
    : QObject(&window), form_(form), window_(window) {}

MenuBarView::~MenuBarView() { Detach(); }

void MenuBarView::Detach() {
  for (auto& entry : entries_) entry->Detach();
  attached_ = false;
}

void MenuBarView::ModelGone() {
  for (auto& entry : entries_) entry->attached = false;
  attached_ = false;
}

QAction* MenuBarView::ActionOf(const ui::Menu& menu) const {
  for (const auto& entry : entries_)
    if (entry->menu == &menu) return entry->action;
  return nullptr;
}

void MenuBarView::Rebuild(const ui::Menu* leaving) {
  if (!attached_) return;
  for (auto& entry : entries_) entry->Detach();
  entries_.clear();
  ++build_;
  // The old menus may be on the stack (a menu handler that loads menus), so
  // they go later; the bar forgets them now.
  if (holder_ != nullptr) holder_->deleteLater();
  std::vector<ui::Menu*> roots;
  for (ui::Control* control : form_.Controls())
    if (control->Kind() == ui::ControlKind::Menu && control != leaving) {
      auto* menu = static_cast<ui::Menu*>(control);
      if (menu->Parent() == nullptr) roots.push_back(menu);
    }
  if (roots.empty() && window_.menuWidget() == nullptr) return;
  QMenuBar* bar = window_.menuBar();
  bar->clear();
  holder_ = new QWidget(&window_);
  holder_->hide();
  for (ui::Menu* root : roots) Build(*root, bar, leaving);
}

void MenuBarView::Build(ui::Menu& menu, QWidget* parent_menu, const ui::Menu* leaving) {
  auto entry = std::make_unique<Entry>();
  entry->menu = &menu;
  std::vector<ui::Menu*> children;
  for (ui::Menu* child : menu.Children())
    if (child != leaving) children.push_back(child);
  if (!children.empty()) {
    auto* submenu = new QMenu(holder_);
    entry->action = submenu->menuAction();
    parent_menu->addAction(entry->action);
    for (ui::Menu* child : children) Build(*child, submenu, leaving);
  } else {
    entry->action = new QAction(holder_);
    parent_menu->addAction(entry->action);
    Entry* raw = entry.get();
    // The entry's handler runs once the menu's own key or mouse event has
    // returned (a handler may run a whole session). The model decides the
    // check mark, whatever Qt toggled, now and after the handler; unless a
    // rebuild of the menus has dropped `raw` meanwhile.
    QObject::connect(entry->action, &QAction::triggered, this, [this, raw] {
      if (!raw->attached) return;
      raw->Apply();
      const int build = build_;
      RunAfterEvent(this, [this, raw, build] {
        if (build_ != build || !raw->attached) return;
        QPointer<MenuBarView> self(this);
        raw->menu->Choose();
        if (self != nullptr && self->build_ == build && raw->attached) raw->Apply();
      });
    });
  }
  entry->action->setObjectName(ToQt(menu.Name()));
  entry->Apply();
  menu.SetObserver(entry.get());
  entries_.push_back(std::move(entry));
}

}  // namespace qtui
