// Every window from the keyboard alone: Tab and Shift+Tab follow the design
// order, a window opens with its first control focused, access keys, and
// Return and Escape in the windows and in the message and input boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <string_view>

#include "app/frm_debug.h"
#include "app/frm_progress.h"
#include "every_window.h"
#include "sample_form.h"
#include "link/startup.h"
#include "screenshot_support.h"
#include "ui/focus_order.h"
#include "unit/parameter_table.h"

namespace qttest {
namespace {

QWidget* Focus() { return QApplication::focusWidget(); }
std::string NameOf(const QWidget* widget) {
  return widget != nullptr ? widget->objectName().toStdString() : "(no focus)";
}

// Keys as the operator types them, each to where the focus is: '\t' Tab,
// '\r' Return, '\x1b' Escape, other characters themselves.
void Keys(std::string_view keys, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  for (char key : keys) {
    if (Focus() == nullptr) return ADD_FAILURE() << "no control has the focus";
    QTest::keyClick(Focus(), key, modifiers);
  }
}

// Shows the window and waits until it takes the keyboard.
void Open(qtui::QtRuntime& rt, ui::Form& form) {
  form.Show();
  EXPECT_TRUE(RunUntil(rt, [&] { return rt.WindowOf(form)->isActiveWindow(); }, 2000)) << form.Name();
}

// Where the focus goes on each of `count` presses of Tab (or Shift+Tab).
std::vector<std::string> Tabbing(std::size_t count, bool back = false) {
  std::vector<std::string> reached;
  for (std::size_t i = 0; i < count; ++i) {
    Keys("\t", back ? Qt::ShiftModifier : Qt::NoModifier);
    reached.push_back(NameOf(Focus()));
  }
  return reached;
}

// The controls that can take the focus, in design order, by widget name.
std::vector<std::string> DesignChain(qtui::QtRuntime& rt, const ui::Form& form) {
  std::vector<std::string> chain;
  for (const ui::Control* control : ui::FocusOrder(form))
    if (ui::CanTakeFocus(*control)) chain.push_back(NameOf(WidgetOf<QWidget>(rt, *control)));
  return chain;
}

// Runs `operate` inside the modal loop that `open` starts.
void WhileModal(qtui::QtRuntime& rt, const std::function<void()>& open,
                const std::function<void()>& operate) {
  QTimer::singleShot(0, [&] {
    if (RunUntil(rt, [] { return QApplication::activeModalWidget() != nullptr && Focus(); }, 2000))
      operate();
  });
  open();
}

TEST(Keyboard, TabWalksEveryWindowInDesignOrderAndShiftTabWalksBack) {
  OfflineQtConsole q;
  app::Console& c = q.console;
  ASSERT_TRUE(lnk::Main(c));
  lnk::RestoreMainWindow(c);
#define VKX_CREATE(F) c.Instance<F>();
  VKX_EVERY_WINDOW(VKX_CREATE)
  for (ui::Form* form : c.AllForms()) {
    if (form->IsMDIForm()) continue;  // its children are walked as windows of their own
    // The operator works in the main window when one of its children opens.
    if (form->IsMDIChild()) q.rt.WindowOf(c.Get<app::frmMain>())->activateWindow();
    form->Show();
    RunFor(q.rt, 20);
    std::vector<std::string> chain = DesignChain(q.rt, *form);
    if (!chain.empty()) {
      EXPECT_EQ(NameOf(Focus()), chain.front()) << form->Name() << " opens with the focus elsewhere";
      std::vector<std::string> round(chain.begin() + 1, chain.end());
      round.push_back(chain.front());
      EXPECT_EQ(Tabbing(chain.size()), round) << form->Name();
      std::reverse(chain.begin(), chain.end());
      EXPECT_EQ(Tabbing(chain.size(), true), chain) << form->Name();
    }
    if (!form->Unload()) form->Hide();
  }
}

TEST(Keyboard, InstallationRowsAreReachedInTableOrder) {
  OfflineQtConsole q;
  unit::frmInstall& screen = q.console.Get<unit::frmInstall>();
  for (int page : {unit::kPageFactory, unit::kPageInstall, unit::kPageStatus}) {
    for (auto& [index, frame] : screen.fInstall) frame->Visible = index == page;
    Open(q.rt, screen);
    const std::vector<std::string> chain = DesignChain(q.rt, screen);
    for (ui::Control* control : ui::FocusOrder(screen))
      if (ui::CanTakeFocus(*control)) {
        control->SetFocus();  // the round starts at the page's first control
        break;
      }
    std::vector<std::string> rows, reached{NameOf(Focus())};
    for (const std::string& name : Tabbing(chain.size() - 1)) reached.push_back(name);
    for (const std::string& name : reached)
      if (name.starts_with("txtProp")) rows.push_back(name);
    std::vector<std::string> table;
    for (const unit::ParameterRow& row : unit::ParameterRows())
      if (row.page == page && screen.txtProp.Exists(row.address) && screen.txtProp[row.address].IsShown())
        table.push_back("txtProp(" + std::to_string(row.address) + ")");
    EXPECT_EQ(rows, table) << "page " << page;
  }
}

TEST(Keyboard, SecurityDialogTakesTheCombinationFromTheKeyboard) {
  const struct {
    const char* keys;
    bool terminal_opens;
  } cases[] = {{"47\t11\t93\r", true}, {"47\t11\t93\x1b", false}, {"47\t11\t94\r", false}};
  for (const auto& k : cases) {
    OfflineQtConsole q;
    q.console.st.CurrentKey = "Terminal";
    auto& dialog = q.console.Get<unit::frmSecurity>();
    WhileModal(q.rt, [&] { dialog.Show(true); }, [&] { Keys(k.keys); });
    EXPECT_FALSE(dialog.IsLoaded()) << k.keys;
    EXPECT_EQ(q.console.IfLoaded<app::frmDebug>() != nullptr, k.terminal_opens) << k.keys;
  }
}

TEST(Keyboard, OnlineWindowPanelsAnswerTheirAccessKeys) {
  OfflineQtConsole q;
  auto& online = q.console.Get<app::frmProgress>();
  Open(q.rt, online);
  for (auto [key, panel] : {std::pair{'p', 1}, {'l', 2}, {'b', 3}, {'t', 0}}) {
    Keys(std::string(1, key), Qt::AltModifier);
    EXPECT_TRUE(RunUntil(q.rt, [&] { return online.optDisplay[panel].Value(); }, 1000)) << key;
    EXPECT_TRUE(online.fDisplay[panel].Visible()) << key;
  }
}

TEST(Keyboard, LabelAccessKeyMovesToTheNextControlThatCanTakeTheFocus) {
  qtui::QtRuntime rt;
  SampleForm form{rt};
  Open(rt, form);
  // Then, with the list disabled, the tab strip placed after it (its tab bar).
  for (const char* next : {"cboRate", "tabs"}) {
    Keys("r", Qt::AltModifier);
    EXPECT_EQ(NameOf(Focus()), next);
    form.cboRate.Enabled = false;
  }
}

TEST(Keyboard, MessageAndInputBoxesAnswerReturnAndEscape) {
  qtui::QtRuntime rt;
  const struct {
    int buttons;
    const char* keys;
    int answer;
  } boxes[] = {{ui::vbYesNo, "\r", ui::vbYes},
               {ui::vbYesNo | ui::vbDefaultButton2, "\r", ui::vbNo},
               {ui::vbOKCancel, "\x1b", ui::vbCancel}};
  for (const auto& b : boxes) {
    int answer = 0;
    WhileModal(rt, [&] { answer = rt.MsgBox("Go on?", b.buttons, "VKX-4700"); }, [&] { Keys(b.keys); });
    EXPECT_EQ(answer, b.answer) << b.buttons << b.keys;
  }
  for (auto [keys, typed] : {std::pair{"5550123\r", "5550123"}, {"5550123\x1b", ""}}) {
    std::string text = "?";
    WhileModal(rt, [&] { text = rt.InputBox("Number:", "Dial", ""); }, [&] { Keys(keys); });
    EXPECT_EQ(text, typed) << keys;
  }
}

}  // namespace
}  // namespace qttest
