// Every window from the keyboard alone: Tab and Shift+Tab in design order
// from the first control, access keys, Return and Escape in the windows and
// in the message and input boxes.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QTest>
#include <QTimer>

#include "app/frm_debug.h"
#include "app/frm_progress.h"
#include "app/frm_select_modem.h"
#include "app/frm_settings.h"
#include "every_window_console.h"
#include "link/startup.h"
#include "sample_form.h"
#include "screenshot_support.h"
#include "sites/frm_site.h"
#include "ui/focus_order.h"
#include "unit/parameter_table.h"

namespace qttest {
namespace {

// The focused control's name (a tab strip's focus is on its bar).
std::string Focused() {
  const QWidget* w = QApplication::focusWidget();
  const QWidget* owner = w != nullptr ? w->parentWidget() : nullptr;
  if (owner != nullptr && owner->focusProxy() == w) w = owner;
  return w != nullptr ? w->objectName().toStdString() : "(no focus)";
}

// Each key goes where the focus is: '\t' Tab, '\r' Return, '\x1b' Escape.
std::string Keys(std::string_view keys, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  for (char key : keys)
    if (QWidget* focus = QApplication::focusWidget()) QTest::keyClick(focus, key, modifiers);
  return Focused();
}

void Open(qtui::QtRuntime& rt, ui::Form& form) {
  form.Show();
  RunUntil(rt, [&] { return rt.WindowOf(form)->isActiveWindow() && QApplication::focusWidget(); },
           2000);
}

// The controls that can take the focus, in design order.
std::vector<std::string> DesignChain(const ui::Form& form) {
  std::vector<std::string> chain;
  for (const ui::Control* c : ui::FocusOrder(form))
    if (ui::CanTakeFocus(*c)) chain.push_back(qtui::ControlObjectName(*c).toStdString());
  return chain;
}

// Runs `operate` once `open` has started a modal loop and something has the focus.
void WhileModal(qtui::QtRuntime& rt, const std::function<void()>& open,
                const std::function<void()>& operate) {
  QObject scope;  // unfired when open() returns (no modal loop), it goes
  QTimer::singleShot(0, &scope, [&] {
    auto ready = [] { return QApplication::activeModalWidget() && QApplication::focusWidget(); };
    if (RunUntil(rt, ready, 2000)) operate();
  });
  open();
}

TEST(Keyboard, EveryWindowOpensOnItsFirstControlAndTabsRoundInDesignOrder) {
  OfflineQtConsole q;
  ASSERT_TRUE(StartWithEveryWindow(q));
  app::Console& c = q.console;
  for (ui::Form* form : c.AllForms()) {
    if (form->IsMDIForm()) continue;  // its children are windows of their own
    if (form->IsMDIChild()) q.rt.WindowOf(c.Get<app::frmMain>())->activateWindow();
    form->Show();
    RunFor(q.rt, 20);
    const std::vector<std::string> chain = DesignChain(*form);
    std::vector<std::string> forth, back, round = chain;  // once round each way from the first
    if (!chain.empty()) {
      forth = back = {Focused()};
      round.push_back(chain[0]);
    }
    for (std::size_t i = 0; i < chain.size(); ++i) forth.push_back(Keys("\t"));
    for (std::size_t i = 0; i < chain.size(); ++i)
      back.insert(back.begin(), Keys("\t", Qt::ShiftModifier));
    EXPECT_EQ(forth, round) << form->Name();
    EXPECT_EQ(back, round) << form->Name();
    if (!form->Unload()) form->Hide();
  }
}

// The Tab chain read from each window's design, written out here and not
// taken from the focus order the renderer follows: a control out of sight
// (the settings dialog's "Demo Mode" above its page), a hidden one (the
// site's callout box) or two controls placed in the wrong order fail it.
// Each chain starts at its first name, goes round once with Tab and once
// back with Shift+Tab.
TEST(Keyboard, TheWindowsOperatorsTypeIntoMostTabInTheirDesignedOrder) {
  OfflineQtConsole q;
  app::Console& c = q.console;
  ASSERT_TRUE(lnk::Main(c));
  using Chain = std::vector<std::string>;
  const auto walk = [&](ui::Form& form, const Chain& expected, const std::string& what) {
    for (ui::Control* control : form.Controls())
      if (qtui::ControlObjectName(*control).toStdString() == expected.front()) control->SetFocus();
    ASSERT_TRUE(RunUntil(q.rt, [&] { return Focused() == expected.front(); }, 2000)) << what;
    Chain forth{Focused()}, back{Focused()};
    for (std::size_t i = 0; i < expected.size(); ++i) forth.push_back(Keys("\t"));
    for (std::size_t i = 0; i < expected.size(); ++i)
      back.insert(back.begin(), Keys("\t", Qt::ShiftModifier));
    Chain round = expected;
    round.push_back(expected.front());
    EXPECT_EQ(forth, round) << what;
    EXPECT_EQ(back, round) << what;
  };

  auto& settings = c.Get<app::frmSettings>();
  Open(q.rt, settings);
  const std::pair<int, Chain> pages[] = {
      {app::kSettingsGeneral,
       {"TabStrip1", "optConn(0)", "optConn(1)", "optConn(2)", "chkAddress", "chkLowRes", "cmdOK",
        "Command1"}},
      {app::kSettingsModem,
       {"TabStrip1", "cmbMPort", "cmbMData", "cmbMParity", "cmbMStop", "cmbMBaud", "cmbMHandshake",
        "cmbMRings", "chkRTS", "chkEOT", "cmdOK", "Command1"}},
      {app::kSettingsCable,
       {"TabStrip1", "cmbCPort", "cmbCData", "cmbCParity", "cmbCStop", "cmbCBaud", "cmbCHandshake",
        "cmdOK", "Command1"}},
      {app::kSettingsNetwork, {"TabStrip1", "txtIP", "txtPort", "cmdOK", "Command1"}},
  };
  for (const auto& [page, chain] : pages) {
    settings.TabStrip1.UserSelect(page);
    walk(settings, chain, "settings page " + std::to_string(page));
  }
  settings.Unload();

  const std::pair<ui::Form*, Chain> windows[] = {
      {&c.Get<app::frmSelectModem>(), {"cmbModems", "txtInit", "cmdOK", "cmdCancel"}},
      {&c.Get<app::frmDebug>(),
       {"txtIn", "txtOut", "txtTest", "cmdOpenPort", "cmdSave", "cmdClear", "cmdClose"}},
      {&c.Get<sites::frmSite>(),
       {"txtSiteName", "txtSiteNum", "txtCustSiteNum", "optConn(0)", "optConn(1)", "txtSitePhone",
        "cmbComm", "txtLatMin", "txtLatSec", "txtLonMin", "txtLonSec", "cmdOK", "cmdCancel"}},
  };
  c.st.AddingSite = true;
  for (const auto& [form, chain] : windows) {
    Open(q.rt, *form);
    walk(*form, chain, form->Name());
    if (!form->Unload()) form->Hide();
  }

  c.st.CurrentKey = "Terminal";
  auto& security = c.Get<unit::frmSecurity>();
  WhileModal(q.rt, [&] { security.Show(true); }, [&] {
    walk(security, {"txtComb(0)", "txtComb(1)", "txtComb(2)", "cmdOK", "cmdCancel"}, "Security");
    Keys("\x1b");
  });
  EXPECT_FALSE(security.IsLoaded());
}

TEST(Keyboard, InstallationRowsComeInTableOrder) {
  OfflineQtConsole q;
  unit::frmInstall& screen = q.console.Get<unit::frmInstall>();
  screen.Show();
  for (int page : {unit::kPageFactory, unit::kPageInstall, unit::kPageStatus}) {
    for (auto& [index, frame] : screen.fInstall) frame->Visible = index == page;
    std::vector<std::string> rows, table;
    for (const std::string& name : DesignChain(screen))
      if (name.starts_with("txtProp")) rows.push_back(name);
    for (const unit::ParameterRow& row : unit::ParameterRows())
      if (row.page == page && row.text == unit::RowText::Shown)
        table.push_back("txtProp(" + std::to_string(row.address) + ")");
    EXPECT_EQ(rows, table) << "page " << page;
  }
}

TEST(Keyboard, SecurityDialogTakesTheCombinationTypedWithTabs) {
  for (auto [keys, opens] : {std::pair{"47\t11\t93\r", true}, {"47\t11\t93\x1b", false}}) {
    OfflineQtConsole q;
    q.console.st.CurrentKey = "Terminal";
    auto& dialog = q.console.Get<unit::frmSecurity>();
    WhileModal(q.rt, [&] { dialog.Show(true); }, [&, keys = keys] { Keys(keys); });
    EXPECT_FALSE(dialog.IsLoaded()) << keys;
    EXPECT_EQ(q.console.IfLoaded<app::frmDebug>() != nullptr, opens) << keys;
  }
}

TEST(Keyboard, AccessKeysSelectOptionsAndMoveOnFromLabels) {
  OfflineQtConsole q;
  auto& online = q.console.Get<app::frmProgress>();
  Open(q.rt, online);
  for (auto [key, panel] : {std::pair{"p", 1}, {"l", 2}, {"b", 3}, {"t", 0}}) {
    Keys(key, Qt::AltModifier);
    EXPECT_TRUE(RunUntil(q.rt, [&, panel = panel] { return online.fDisplay[panel].Visible(); }, 2000))
        << key;
  }
  SampleForm form{q.rt};
  Open(q.rt, form);
  // "Baud &rate:" stands before the rate list, then (the list disabled) the tab strip.
  EXPECT_EQ(Keys("r", Qt::AltModifier), "cboRate");
  form.cboRate.Enabled = false;
  EXPECT_EQ(Keys("r", Qt::AltModifier), "tabPages");
}

TEST(Keyboard, MessageAndInputBoxesAnswerReturnAndEscape) {
  qtui::QtRuntime rt;
  const std::tuple<int, const char*, int> boxes[] = {
      {ui::vbYesNo | ui::vbDefaultButton2, "\r", ui::vbNo}, {ui::vbOKCancel, "\x1b", ui::vbCancel}};
  for (auto [buttons, keys, answer] : boxes) {
    const auto ask = [&, buttons = buttons, answer = answer] {
      EXPECT_EQ(rt.MsgBox("Go on?", buttons, ""), answer);
    };
    WhileModal(rt, ask, [keys = keys] { Keys(keys); });
  }
  for (auto [keys, typed] : {std::pair{"123\r", "123"}, {"123\x1b", ""}}) {
    const auto ask = [&, typed = typed] { EXPECT_EQ(rt.InputBox("Number:", "Dial", ""), typed); };
    WhileModal(rt, ask, [keys = keys] { Keys(keys); });
  }
  // A number pasted with its line end is one line, as in every one-line box.
  QApplication::clipboard()->setText(QStringLiteral("555\r\n0199\r\n"));
  const auto ask = [&] { EXPECT_EQ(rt.InputBox("Number:", "Dial", ""), "5550199"); };
  WhileModal(rt, ask, [] {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    Keys("\r");
  });
}

}  // namespace
}  // namespace qttest
