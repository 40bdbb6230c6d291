// The generic renderer: every control kind gets its widget, model changes
// reach the widgets, and the operator's input reaches the model's events.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "qt/console_application.h"
#include "qt_test_support.h"
#include "sample_form.h"

namespace qttest {
namespace {

class QtFormViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    QApplication::processEvents();
    view = rt.ViewOf(form);
    ASSERT_NE(view, nullptr);
    form.events.clear();
  }

  template <class Widget>
  Widget* W(const ui::Control& control) {
    return WidgetOf<Widget>(rt, control);
  }
  QMainWindow* Window() { return qobject_cast<QMainWindow*>(view->Window()); }
  bool Saw(const std::string& event) const {
    return std::find(form.events.begin(), form.events.end(), event) != form.events.end();
  }

  qtui::QtRuntime rt;
  SampleForm form{rt};
  qtui::QtFormView* view = nullptr;
};

TEST_F(QtFormViewTest, EveryControlKindHasItsWidget) {
  EXPECT_NE(W<QLabel>(form.lblVolt), nullptr);
  EXPECT_NE(W<QLineEdit>(form.txtVolt), nullptr);
  EXPECT_NE(W<QPlainTextEdit>(form.txtLog), nullptr);
  EXPECT_NE(W<QPushButton>(form.cmdOK), nullptr);
  EXPECT_NE(W<QRadioButton>(form.optModem), nullptr);
  EXPECT_NE(W<QCheckBox>(form.chkAnswer), nullptr);
  EXPECT_NE(W<QComboBox>(form.cboRate), nullptr);
  EXPECT_NE(W<QListWidget>(form.lstSites), nullptr);
  EXPECT_NE(W<QTreeWidget>(form.lvwLog), nullptr);
  EXPECT_NE(W<QProgressBar>(form.prgRead), nullptr);
  EXPECT_NE(W<QGroupBox>(form.fraLink), nullptr);
  EXPECT_NE(W<QLabel>(form.imgLamp[0]), nullptr);
  EXPECT_NE(W<QToolBar>(form.tbTools), nullptr);
  EXPECT_NE(W<QStatusBar>(form.sbStatus), nullptr);
  for (const ui::Control* control :
       {static_cast<const ui::Control*>(&form.udVolt), static_cast<const ui::Control*>(&form.picGraph),
        static_cast<const ui::Control*>(&form.shpPanel), static_cast<const ui::Control*>(&form.linSep),
        static_cast<const ui::Control*>(&form.tabPages)})
    EXPECT_NE(W<QWidget>(*control), nullptr) << control->Name();
  EXPECT_EQ(W<QWidget>(form.tmrPoll), nullptr);
  EXPECT_NE(W<QWidget>(form.tabPages)->findChild<QTabBar*>(), nullptr);
}

TEST_F(QtFormViewTest, WidgetsShowTheDesignState) {
  EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Sample Site \u00BA Overview"));
  EXPECT_EQ(W<QLineEdit>(form.txtVolt)->text(), QStringLiteral("26.4"));
  EXPECT_TRUE(W<QRadioButton>(form.optDirect)->isChecked());
  EXPECT_EQ(W<QCheckBox>(form.chkAnswer)->checkState(), Qt::Checked);
  EXPECT_EQ(W<QComboBox>(form.cboRate)->currentText(), QStringLiteral("9600"));
  EXPECT_EQ(W<QProgressBar>(form.prgRead)->value(), 60);
  EXPECT_EQ(W<QTreeWidget>(form.lvwLog)->topLevelItemCount(), 4);
  EXPECT_EQ(W<QTreeWidget>(form.lvwLog)->topLevelItem(1)->text(1), QStringLiteral("Status read"));
  EXPECT_TRUE(W<QPlainTextEdit>(form.txtLog)->toPlainText().contains(QStringLiteral("19 CONNECT 9600\n")));
  // Placed in twips inside their container: 15 twips to the pixel.
  EXPECT_EQ(W<QWidget>(form.txtVolt)->geometry(), QRect(116, 22, 60, 21));
  EXPECT_EQ(W<QWidget>(form.txtVolt)->parentWidget(), W<QWidget>(form.fraValues));
  EXPECT_EQ(W<QWidget>(form.picGraph)->parentWidget(), W<QWidget>(form.tabPages));
}

TEST_F(QtFormViewTest, ModelChangesReachTheWidgets) {
  form.lblVolt.Caption = "Temp \xBA" "C:";
  EXPECT_EQ(W<QLabel>(form.lblVolt)->text(), QStringLiteral("Temp \u00BA" "C:"));
  form.txtVolt.Text = "27.1";
  EXPECT_EQ(W<QLineEdit>(form.txtVolt)->text(), QStringLiteral("27.1"));
  form.optNet.Value = true;
  EXPECT_TRUE(W<QRadioButton>(form.optNet)->isChecked());
  EXPECT_FALSE(W<QRadioButton>(form.optDirect)->isChecked());
  form.chkAnswer.Value = ui::vbGrayed;
  EXPECT_EQ(W<QCheckBox>(form.chkAnswer)->checkState(), Qt::PartiallyChecked);
  form.cboRate.AddItem("38400");
  form.cboRate.ListIndex = 4;
  EXPECT_EQ(W<QComboBox>(form.cboRate)->count(), 5);
  EXPECT_EQ(W<QComboBox>(form.cboRate)->currentText(), QStringLiteral("38400"));
  form.lstSites.ListIndex = 2;
  EXPECT_EQ(W<QListWidget>(form.lstSites)->currentRow(), 2);
  form.prgRead.Value = 85;
  EXPECT_EQ(W<QProgressBar>(form.prgRead)->value(), 85);
  form.cmdOK.Enabled = false;
  EXPECT_FALSE(W<QWidget>(form.cmdOK)->isEnabled());
  form.cmdColor.Visible = false;
  EXPECT_FALSE(W<QWidget>(form.cmdColor)->isVisible());
  form.cmdCancel.Move(1500, 6000, 1200, 450);
  EXPECT_EQ(W<QWidget>(form.cmdCancel)->geometry(), QRect(100, 400, 80, 30));
  form.tabPages.SelectedIndex = 3;
  EXPECT_EQ(W<QWidget>(form.tabPages)->findChild<QTabBar*>()->currentIndex(), 2);
  form.sbStatus.Panels(1).Text = "Dialling...";
  EXPECT_TRUE(W<QStatusBar>(form.sbStatus)->findChild<QLabel*>(QStringLiteral("panel1"))->text() ==
              QStringLiteral("Dialling..."));
  form.lvwLog.Item(1).sub_items[0] = "Alarm call";
  form.lvwLog.ItemsChanged();
  EXPECT_EQ(W<QTreeWidget>(form.lvwLog)->topLevelItem(0)->text(1), QStringLiteral("Alarm call"));
  form.Caption = "Unit 12";
  EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Unit 12"));
}

TEST_F(QtFormViewTest, ToolbarAndMenusFollowTheirModels) {
  QAction* map = W<QToolBar>(form.tbTools)->findChild<QAction*>(QStringLiteral("Map"));
  ASSERT_NE(map, nullptr);
  EXPECT_FALSE(map->isChecked());
  form.tbTools.Buttons("Map")->Value = ui::tbrPressed;
  EXPECT_TRUE(map->isChecked());
  form.tbTools.Buttons("Map")->Enabled = false;
  EXPECT_FALSE(map->isEnabled());

  QAction* lamps = view->ActionOf(form.mnuLamps);
  ASSERT_NE(lamps, nullptr);
  EXPECT_TRUE(lamps->isChecked());
  EXPECT_EQ(lamps->text(), QStringLiteral("&Lamps"));
  EXPECT_EQ(view->ActionOf(form.mnuOpen)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
  EXPECT_TRUE(view->ActionOf(form.mnuFileBreak)->isSeparator());
  // Hidden entries stay out of the bar; showing one puts it back.
  EXPECT_FALSE(view->ActionOf(form.mnuHidden)->isVisible());
  form.mnuHidden.Visible = true;
  EXPECT_TRUE(view->ActionOf(form.mnuHidden)->isVisible());
  form.mnuExit.Enabled = false;
  EXPECT_FALSE(view->ActionOf(form.mnuExit)->isEnabled());
}

TEST_F(QtFormViewTest, ClicksReachTheModel) {
  QTest::mouseClick(W<QPushButton>(form.cmdOK), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_EQ(form.events, std::vector<std::string>{"cmdOK.Click"});

  form.events.clear();
  form.cmdOK.Enabled = false;
  QTest::mouseClick(W<QPushButton>(form.cmdOK), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_TRUE(form.events.empty());

  QTest::mouseClick(W<QRadioButton>(form.optModem), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_TRUE(form.optModem.Value());
  EXPECT_FALSE(form.optDirect.Value());
  EXPECT_TRUE(W<QRadioButton>(form.optModem)->isChecked());
  EXPECT_FALSE(W<QRadioButton>(form.optDirect)->isChecked());
  EXPECT_TRUE(Saw("optModem.Click"));

  // Clicking the chosen option again leaves it chosen (no toggling off).
  form.events.clear();
  QTest::mouseClick(W<QRadioButton>(form.optModem), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_TRUE(W<QRadioButton>(form.optModem)->isChecked());
  EXPECT_TRUE(form.events.empty());

  QTest::mouseClick(W<QCheckBox>(form.chkAnswer), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_EQ(form.chkAnswer.Value(), ui::vbUnchecked);
  EXPECT_EQ(W<QCheckBox>(form.chkAnswer)->checkState(), Qt::Unchecked);
  EXPECT_TRUE(Saw("chkAnswer.Click"));
}

TEST_F(QtFormViewTest, UpDownArrowRaisesChangeThenUpClick) {
  auto* up = W<QWidget>(form.udVolt)->findChild<QToolButton*>(QStringLiteral("up"));
  auto* down = W<QWidget>(form.udVolt)->findChild<QToolButton*>(QStringLiteral("down"));
  ASSERT_NE(up, nullptr);
  ASSERT_NE(down, nullptr);
  QTest::mouseClick(up, Qt::LeftButton);
  RunOperatorInput();
  EXPECT_EQ(form.udVolt.Value(), 51);
  EXPECT_EQ(form.events, (std::vector<std::string>{"udVolt.Change", "udVolt.UpClick"}));
  form.events.clear();
  QTest::mouseClick(down, Qt::LeftButton);
  RunOperatorInput();
  EXPECT_EQ(form.udVolt.Value(), 50);
  EXPECT_EQ(form.events, (std::vector<std::string>{"udVolt.Change", "udVolt.DownClick"}));
}

TEST_F(QtFormViewTest, TypedKeysGoThroughKeyPress) {
  auto* edit = W<QLineEdit>(form.txtVolt);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("1x2.5"));
  EXPECT_EQ(form.txtVolt.Text(), "12.5");  // KeyPress swallowed the x
  EXPECT_EQ(edit->text(), QStringLiteral("12.5"));
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(form.txtVolt.Text(), "12.");
  QTest::keyClick(edit, Qt::Key_Left);
  QTest::keyClick(edit, Qt::Key_Left);
  QTest::keyClicks(edit, QStringLiteral("7"));
  EXPECT_EQ(form.txtVolt.Text(), "172.");
  EXPECT_EQ(edit->cursorPosition(), 2);
  QTest::keyClick(edit, Qt::Key_Delete);  // not a typing key: an edit of the whole text
  EXPECT_EQ(form.txtVolt.Text(), "17.");
}

TEST_F(QtFormViewTest, ProgramTextChangesRaiseChangeOnce) {
  form.txtVolt.Text = "30.0";
  form.cboRate.ListIndex = 0;
  EXPECT_EQ(form.events, (std::vector<std::string>{"txtVolt.Change", "cboRate.Click"}));
}

// Appended pieces go in at the end of what a log shows, which keeps
// following its end; a CR LF cut between two pieces is one line end, and
// any other change shows the whole text anew.
TEST_F(QtFormViewTest, AppendedPiecesExtendTheShownLog) {
  auto* log = W<QPlainTextEdit>(form.txtLog);
  const QString before = log->toPlainText();
  for (const char* piece : {"12 OK\r", "\n13 ", "NO CARRIER\r", "x\r\n\r\n", "\n", "", "y"})
    form.txtLog.Append(piece);
  EXPECT_EQ(log->toPlainText(), before + QStringLiteral("12 OK\n13 NO CARRIER\nx\n\n\ny"));
  for (int i = 0; i < 30; ++i) form.txtLog.Append("line\r\n");
  EXPECT_EQ(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
  EXPECT_GT(log->verticalScrollBar()->value(), 0);
  form.txtLog.Text = "new\r\n";
  form.txtLog.Append("more");
  EXPECT_EQ(log->toPlainText(), QStringLiteral("new\nmore"));
}

// From a one-line and from a multi-line box alike (the log keeps its text).
TEST_F(QtFormViewTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
  auto* edit = W<QLineEdit>(form.txtVolt);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Return);
  RunOperatorInput();
  QTest::keyClick(edit, Qt::Key_Escape);
  RunOperatorInput();
  auto* log = W<QPlainTextEdit>(form.txtLog);
  const std::string text = form.txtLog.Text();
  log->setFocus();
  QTest::keyClick(log, Qt::Key_Return);
  RunOperatorInput();
  EXPECT_EQ(form.events,
            (std::vector<std::string>{"cmdOK.Click", "cmdCancel.Click", "cmdOK.Click"}));
  EXPECT_EQ(form.txtLog.Text(), text);
}


TEST_F(QtFormViewTest, ListsAndTabsReportTheOperatorsChoice) {
  auto* combo = W<QComboBox>(form.cboRate);
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(form.cboRate.ListIndex(), 3);
  EXPECT_EQ(form.cboRate.Text(), "19200");
  EXPECT_TRUE(Saw("cboRate.Click"));

  auto* list = W<QListWidget>(form.lstSites);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
  RunOperatorInput();
  EXPECT_EQ(form.lstSites.ListIndex(), 2);
  EXPECT_TRUE(Saw("lstSites.Click"));

  auto* tree = W<QTreeWidget>(form.lvwLog);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                    tree->visualItemRect(tree->topLevelItem(2)).center());
  RunOperatorInput();
  EXPECT_EQ(form.lvwLog.SelectedIndex(), 3);
  EXPECT_TRUE(Saw("lvwLog.ItemClick 10:02"));

  auto* tabs = W<QWidget>(form.tabPages)->findChild<QTabBar*>();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  RunOperatorInput();
  EXPECT_EQ(form.tabPages.SelectedIndex(), 2);
  EXPECT_TRUE(Saw("tabPages.Click"));
}

TEST_F(QtFormViewTest, MenuToolbarAndPictureInputReachTheModel) {
  view->ActionOf(form.mnuLamps)->trigger();
  RunOperatorInput();
  EXPECT_TRUE(Saw("mnuLamps.Click"));
  EXPECT_FALSE(form.mnuLamps.Checked());
  EXPECT_FALSE(view->ActionOf(form.mnuLamps)->isChecked());
  form.mnuExit.Enabled = false;
  view->ActionOf(form.mnuExit)->trigger();
  RunOperatorInput();
  EXPECT_FALSE(Saw("mnuExit.Click"));

  auto* bar = W<QToolBar>(form.tbTools);
  QAction* connect = bar->findChild<QAction*>(QStringLiteral("Connect"));
  QTest::mouseClick(bar->widgetForAction(connect), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_TRUE(Saw("tbTools.ButtonClick Connect"));
  QAction* map = bar->findChild<QAction*>(QStringLiteral("Map"));
  QTest::mouseClick(bar->widgetForAction(map), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_EQ(form.tbTools.Buttons("Map")->Value(), ui::tbrPressed);
  EXPECT_TRUE(map->isChecked());

  auto* picture = W<QWidget>(form.picGraph);
  QTest::mouseClick(picture, Qt::RightButton, Qt::ShiftModifier, QPoint(40, 20));
  RunOperatorInput();
  const int frame = qobject_cast<QFrame*>(picture)->frameWidth();
  EXPECT_TRUE(Saw("picGraph.MouseDown 2 1 " + std::to_string((40 - frame) * 15) + " " +
                  std::to_string((20 - frame) * 15)));

  QTest::mouseClick(W<QWidget>(form.imgLamp[2]), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_TRUE(Saw("imgLamp(2).Click"));
}

// The events a double click raises, as the window system delivers it (the
// double click in place of the second press): the left button's second
// press is the DblClick alone, with no MouseDown before it and no second
// Click after it; any other button's is one more press, never a DblClick.
TEST_F(QtFormViewTest, TheSecondPressOfALeftDoubleClickIsTheDoubleClickAlone) {
  QWidget* surface = view->Window()->findChild<QWidget*>(QStringLiteral("surface"));
  ASSERT_NE(surface, nullptr);
  QPoint bare;  // a point of the form with no control on it
  for (int y = surface->height() - 5; y > 0 && bare.isNull(); y -= 10)
    for (int x = surface->width() - 5; x > 0 && bare.isNull(); x -= 10)
      if (surface->childAt(x, y) == nullptr) bare = QPoint(x, y);
  ASSERT_FALSE(bare.isNull());
  const struct {
    const char* name;
    QWidget* widget;
    QPoint at;
    const char* left;
    const char* right;
  } targets[] = {
      {"Form", surface, bare, "MouseDown 1, MouseUp 1, DblClick, MouseUp 1",
       "MouseDown 2, MouseUp 2, MouseDown 2, MouseUp 2"},
      {"picGraph", W<QWidget>(form.picGraph), {40, 20},
       "MouseDown 1, MouseUp 1, Click, DblClick, MouseUp 1",
       "MouseDown 2, MouseUp 2, MouseDown 2, MouseUp 2"},
      {"imgLamp(2)", W<QWidget>(form.imgLamp[2]), {4, 4}, "MouseDown 1, Click, DblClick",
       "MouseDown 2, MouseDown 2"},
      {"lblNote", W<QWidget>(form.lblNote), {4, 4}, "Click, DblClick", ""},
  };
  for (const auto& t : targets) {
    for (const auto& [button, expected] :
         {std::pair{Qt::LeftButton, t.left}, std::pair{Qt::RightButton, t.right}}) {
      SCOPED_TRACE(std::string(t.name) + (button == Qt::LeftButton ? " left" : " right"));
      form.events.clear();
      OperatorDoubleClick(t.widget, button, t.at);
      std::string seen;  // the target's events, without their position
      const std::string prefix = std::string(t.name) + ".";
      for (const std::string& e : form.events) {
        if (e.rfind(prefix, 0) != 0) continue;
        const std::string what = e.substr(prefix.size());
        const std::size_t second_blank = what.find(' ', what.find(' ') + 1);
        seen += (seen.empty() ? "" : ", ") + what.substr(0, second_blank);
      }
      EXPECT_EQ(seen, expected);
    }
  }
}

// The handler of a click, a chosen menu entry, a key that presses a button
// or the close box runs once Qt is done with the event that carried it: a
// handler may run a whole session, and the widget that took the input may
// be deleted meanwhile. Inputs run in the order given; one whose window has
// gone before its turn is dropped.
TEST_F(QtFormViewTest, OperatorInputRunsAfterTheEventThatCarriedIt) {
  auto* app = static_cast<qtui::ConsoleApplication*>(QCoreApplication::instance());
  std::vector<std::string> ran;  // each handler, and the window's events in hand then
  auto note = [&](const std::string& name) {
    ran.push_back(name + " " + std::to_string(app->EventsInHand(*Window())));
  };
  form.cmdOK.Click = [&] { note("cmdOK"); };
  form.cmdCancel.Click = [&] { note("cmdCancel"); };
  form.mnuLamps.Click = [&] { note("mnuLamps"); };
  form.tbTools.ButtonClick = [&](ui::ToolbarButton& b) { note(b.Key()); };
  QWindow* window = Window()->windowHandle();
  QApplication::setActiveWindow(Window());

  QTest::mouseClick(W<QPushButton>(form.cmdOK), Qt::LeftButton);
  QTest::mouseClick(W<QPushButton>(form.cmdCancel), Qt::LeftButton);
  W<QLineEdit>(form.txtVolt)->setFocus();
  QTest::keyClick(W<QLineEdit>(form.txtVolt), Qt::Key_Return);  // the default button
  // The menu by keyboard: Alt+V opens "&View", L chooses "&Lamps".
  QTest::keyClick(window, Qt::Key_V, Qt::AltModifier);
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  QTest::keyClick(window, Qt::Key_L);
  auto* bar = W<QToolBar>(form.tbTools);
  QTest::mouseClick(bar->widgetForAction(bar->findChild<QAction*>(QStringLiteral("Connect"))),
                    Qt::LeftButton);
  RunOperatorInput();
  EXPECT_EQ(ran, (std::vector<std::string>{"cmdOK 0", "cmdCancel 0", "cmdOK 0", "mnuLamps 0",
                                           "Connect 0"}));

  ran.clear();
  QTest::mouseClick(W<QPushButton>(form.cmdOK), Qt::LeftButton);
  Window()->close();
  EXPECT_TRUE(form.IsLoaded());
  RunOperatorInput();
  EXPECT_EQ(ran, std::vector<std::string>{"cmdOK 0"});
  EXPECT_FALSE(form.IsLoaded());
  FlushDeletes();

  form.Show();
  view = rt.ViewOf(form);
  ASSERT_NE(view, nullptr);
  ran.clear();
  form.cmdOK.Click = [&] { note("cmdOK"); };
  QTest::mouseClick(W<QPushButton>(form.cmdOK), Qt::LeftButton);
  form.Unload();
  RunOperatorInput();
  EXPECT_TRUE(ran.empty());
  FlushDeletes();
}

TEST_F(QtFormViewTest, CloseBoxAsksTheModelToUnload) {
  Window()->close();
  RunOperatorInput();
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(rt.ViewOf(form), nullptr);
  FlushDeletes();
}

TEST_F(QtFormViewTest, AButtonMayUnloadItsOwnForm) {
  form.cancel_unloads = true;
  QTest::mouseClick(W<QPushButton>(form.cmdCancel), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_FALSE(form.IsLoaded());
  FlushDeletes();
  // Shown again, the form gets a new view built from its designed state.
  form.Show();
  view = rt.ViewOf(form);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(W<QLineEdit>(form.txtVolt)->text(), QStringLiteral("26.4"));
  QTest::mouseClick(W<QPushButton>(form.cmdOK), Qt::LeftButton);
  RunOperatorInput();
  EXPECT_TRUE(Saw("cmdOK.Click"));
}

TEST_F(QtFormViewTest, ControlsLoadedAndUnloadedAtRunTime) {
  ui::Label& extra = form.lblExtra.Load(1);
  extra.Caption = "Loaded later";
  extra.Move(150, 6300, 3000, 255);
  auto* label = W<QLabel>(extra);
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), QStringLiteral("Loaded later"));
  QPointer<QLabel> watch(label);
  form.lblExtra.Unload(1);
  FlushDeletes();
  EXPECT_TRUE(watch.isNull());
  ui::Label& again = form.lblExtra.Load(1);
  again.Caption = "Again";
  EXPECT_EQ(W<QLabel>(again)->text(), QStringLiteral("Again"));
}

TEST_F(QtFormViewTest, OperatorResizeReachesTheModel) {
  const int width = form.Width();
  const int height = form.Height();
  auto* window = Window();
  window->resize(window->width() + 60, window->height() + 30);
  QApplication::processEvents();
  EXPECT_EQ(form.Width(), width + 60 * 15);
  EXPECT_EQ(form.Height(), height + 30 * 15);
  EXPECT_EQ(form.ScaleWidth(), view->Window()->findChild<QWidget*>(QStringLiteral("surface"))->width() * 15);
}

class ChildForm : public ui::Form {
 public:
  explicit ChildForm(ui::Runtime& rt) : ui::Form(rt, "frmChild") { SetMDIChild(); }
  ui::Label lblHello{*this, "lblHello"};

 protected:
  void Design() override {
    Caption = "Child";
    lblHello.Caption = "Inside the main window";
    lblHello.Move(120, 120, 3000, 255);
  }
};

class MainForm : public ui::Form {
 public:
  explicit MainForm(ui::Runtime& rt) : ui::Form(rt, "frmMain") { SetMDIForm(); }
  ui::Toolbar tbToolBar{*this, "tbToolBar"};
  ui::StatusBar sbStatusBar{*this, "sbStatusBar"};
  ui::Menu mnuFile{*this, "mnuFile"};

 protected:
  void Design() override {
    Caption = "VKX-4700";
    Move(600, 600, 9000, 7000);
    mnuFile.Caption = "&File";
    if (tbToolBar.ButtonCount() == 0) tbToolBar.AddButton("Connect", "Connect", ui::tbrDefault, "Connect");
  }
};

TEST(QtMdiFormTest, ChildFormsLiveInTheMainWindowsArea) {
  qtui::QtRuntime rt;
  MainForm main(rt);
  ChildForm child(rt);
  main.Show();
  child.Show();
  qtui::QtFormView* main_view = rt.ViewOf(main);
  qtui::QtFormView* child_view = rt.ViewOf(child);
  ASSERT_NE(main_view, nullptr);
  ASSERT_NE(child_view, nullptr);
  auto* window = qobject_cast<QMainWindow*>(main_view->Window());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->centralWidget(), main_view->MdiArea());
  EXPECT_EQ(qobject_cast<QToolBar*>(main_view->WidgetOf(main.tbToolBar))->parentWidget(), window);
  EXPECT_EQ(window->statusBar(), main_view->WidgetOf(main.sbStatusBar));
  auto* sub = qobject_cast<QMdiSubWindow*>(child_view->Window());
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->mdiArea(), main_view->MdiArea());
  EXPECT_TRUE(sub->isVisible());
  child.Unload();
  EXPECT_FALSE(sub->isVisible());
  FlushDeletes();
}

}  // namespace
}  // namespace qttest
