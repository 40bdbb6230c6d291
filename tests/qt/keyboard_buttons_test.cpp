// Every window's buttons from the keyboard, through the real widgets: the
// default button answers Return from the window's first field, the cancel
// button Escape, and a button whose access key no other control of the
// window shares answers Alt and that key, also in the windows that share
// Alt with the main window's menu titles. Windows made later get the same
// by construction, and this walk shows it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "every_window_console.h"
#include "link/startup.h"
#include "screenshot_support.h"
#include "ui/access_keys.h"
#include "ui/controls.h"
#include "ui/focus_order.h"
#include "unit/frm_install.h"

namespace qttest {
namespace {

// Every caption of the shown controls (tabs and frames too) that gives Alt
// this key; a button answers Alt alone only when it is the one.
int KeyUsers(const ui::Form& form, char key) {
  int users = 0;
  for (const ui::Control* c : form.Controls()) {
    if (!c->IsShown() || !c->IsEnabledHere()) continue;
    if (c->Kind() == ui::ControlKind::TabStrip) {
      const auto& tabs = static_cast<const ui::TabStrip&>(*c);
      for (int i = 1; i <= tabs.TabCount(); ++i) users += ui::AccessKey(tabs.TabCaption(i)) == key;
    } else if (c->Kind() == ui::ControlKind::Frame) {
      users += ui::AccessKey(static_cast<const ui::Frame&>(*c).Caption()) == key;
    }
  }
  return users + static_cast<int>(ui::AccessKeyTargets(form, key).size());
}

TEST(KeyboardButtons, EveryWindowsButtonsAnswerReturnEscapeAndTheirAccessKeys) {
  OfflineQtConsole q;
  ASSERT_TRUE(StartWithEveryWindow(q));
  app::Console& c = q.console;
  QWidget* main = q.rt.WindowOf(c.Get<app::frmMain>());
  int answered = 0;
  for (ui::Form* form : c.AllForms()) {
    if (form->IsMDIForm()) continue;
    if (form->IsMDIChild()) main->activateWindow();
    form->Show();
    const auto in_window = [&] {
      const QWidget* window = q.rt.WindowOf(*form);
      const QWidget* focus = QApplication::focusWidget();
      return window != nullptr && focus != nullptr && window->isAncestorOf(focus);
    };
    const std::vector<ui::Control*> order = ui::FocusOrder(*form);
    const bool focusable = std::any_of(order.begin(), order.end(),
                                       [](const ui::Control* each) { return ui::CanTakeFocus(*each); });
    if (!focusable || !RunUntil(q.rt, in_window, 2000)) {
      EXPECT_FALSE(focusable) << form->Name() << " opened without the focus";
      if (!form->Unload()) form->Hide();
      continue;
    }
    // The buttons report instead of acting, so the window stays as it is.
    std::string pressed;
    std::vector<ui::CommandButton*> buttons;
    for (ui::Control* control : form->Controls())
      if (control->Kind() == ui::ControlKind::CommandButton && control->IsShown() &&
          control->IsEnabledHere()) {
        auto* button = static_cast<ui::CommandButton*>(control);
        button->Click = [&pressed, button] { pressed = button->Name(); };
        buttons.push_back(button);
      }
    // From the first field (not a button: a focused button answers Return
    // itself), or from where the window put the focus.
    ui::Control* field = nullptr;
    for (ui::Control* control : order)
      if (ui::CanTakeFocus(*control) && control->Kind() != ui::ControlKind::CommandButton) {
        field = control;
        break;
      }
    const auto press = [&](auto key, Qt::KeyboardModifiers modifiers) {
      if (field != nullptr) q.rt.ViewOf(*form)->WidgetOf(*field)->setFocus();
      pressed.clear();
      QTest::keyClick(QApplication::focusWidget(), key, modifiers);
      RunUntil(q.rt, [&] { return !pressed.empty(); }, 500);  // Qt clicks after 100 ms
      ++answered;
      return pressed;
    };
    const std::string where = form->Name() + " from " + (field ? field->Name() : "its focus");
    for (ui::CommandButton* button : buttons) {
      if (button->Default() && field != nullptr) {
        EXPECT_EQ(press(Qt::Key_Return, Qt::NoModifier), button->Name()) << where << ": Return";
      }
      if (button->Cancel()) {
        EXPECT_EQ(press(Qt::Key_Escape, Qt::NoModifier), button->Name()) << where << ": Escape";
      }
      const char key = ui::AccessKey(button->Caption());
      if (key != 0 && KeyUsers(*form, key) == 1) {
        EXPECT_EQ(press(key, Qt::AltModifier), button->Name()) << where << ": Alt+" << key;
      }
    }
    if (!form->Unload()) form->Hide();
  }
  EXPECT_GT(answered, 40);  // the walk reached the windows' buttons
}

// Beside the installation screen's "&Close" the main window's menu keeps
// the letters the screen does not claim; the online window's "&Site" and
// "&Save Window Position" share S, which moves the focus and presses neither.
TEST(KeyboardButtons, MenuTitlesKeepOnlyTheLettersTheWindowInFrontLeavesThem) {
  OfflineQtConsole q;
  ASSERT_TRUE(lnk::Main(q.console));
  lnk::RestoreMainWindow(q.console);
  const auto open = [&](ui::Form& form) {
    q.rt.WindowOf(q.console.Get<app::frmMain>())->activateWindow();
    form.Show();
    return RunUntil(q.rt, [&] {
      const QWidget* focus = QApplication::focusWidget();
      return focus != nullptr && q.rt.WindowOf(form)->isAncestorOf(focus);
    }, 2000);
  };
  const auto alt = [&](char key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    RunFor(q.rt, 20);
    const QWidget* focus = QApplication::focusWidget();
    return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr
               ? std::string("menu")
               : focus != nullptr ? focus->objectName().toStdString() : "";
  };
  auto& screen = q.console.Get<unit::frmInstall>();
  ASSERT_TRUE(open(screen));
  EXPECT_NE(alt('c'), "menu");
  EXPECT_FALSE(screen.Visible()) << "Close hides the screen";
  ASSERT_TRUE(open(screen));
  EXPECT_EQ(alt('f'), "menu");
  QApplication::activePopupWidget()->close();

  auto& online = q.console.Get<app::frmProgress>();
  int saved = 0;
  online.cmdSavePos.Click = [&] { ++saved; };
  ASSERT_TRUE(open(online));
  EXPECT_EQ(alt('s'), "optDisplay(4)");
  EXPECT_EQ(alt('s'), "cmdSavePos");
  EXPECT_EQ(saved + online.optDisplay[4].Value(), 0);
}

}  // namespace
}  // namespace qttest
