// The main window as the Qt build shows it: a frame whose menu bar holds the
// shown entries only, in design order, whose toolbar carries the fourteen
// buttons, whose map follows the frame's size, and whose empty area passes
// the mouse to the window's model.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <string>
#include <vector>

#include "app/console.h"
#include "app/frm_main.h"
#include "console_harness.h"
#include "link/startup.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "qt_test_support.h"
#include "sites/frm_map.h"
#include "temp_folder.h"

namespace qttest {
namespace {

struct StartedConsole {
  StartedConsole() {
    if (auto error = folder.EnsureSeeded(testkit::ShippedDataDir())) ADD_FAILURE() << *error;
    started = lnk::Main(console) && RunUntil(
                                        rt, [&] { return console.st.WindowRestored; }, 5000);
  }
  ~StartedConsole() {
    if (auto* main = console.IfLoaded<app::frmMain>()) main->UserClose();
  }
  qtui::QtRuntime rt;
  platform::MemoryRegistry registry;
  testkit::TempFolder temp;
  platform::ProgramFolder folder{temp.Path()};
  qtui::QtSerialPort serial{registry};
  qtui::QtTcpClient tcp;
  app::Console console{app::Services{rt, registry, folder, serial, tcp}};
  bool started = false;
};

std::vector<std::string> ShownTexts(const QList<QAction*>& actions) {
  std::vector<std::string> out;
  for (QAction* a : actions)
    if (a->isVisible()) out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  return out;
}

QMenu* MenuTitled(QMenuBar* bar, const char* title) {
  for (QAction* a : bar->actions())
    if (a->text() == QString::fromLatin1(title)) return a->menu();
  return nullptr;
}

class MainWindowView : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(q.started); }
  app::frmMain& Main() { return q.console.Get<app::frmMain>(); }
  QMainWindow* Window() { return qobject_cast<QMainWindow*>(q.rt.WindowOf(Main())); }

  StartedConsole q;
};

TEST_F(MainWindowView, TheMenuBarHoldsTheShownEntriesInDesignOrder) {
  ASSERT_NE(Window(), nullptr);
  QMenuBar* bar = Window()->menuBar();
  EXPECT_EQ(ShownTexts(bar->actions()),
            (std::vector<std::string>{"&File", "&Options", "&Connection", "&Help", "Site"}));
  EXPECT_EQ(ShownTexts(MenuTitled(bar, "&File")->actions()),
            (std::vector<std::string>{"&Save Status As...", "&Load Status", "Select Map", "-",
                                      "Save Bulk Data", "Upload Bulk Data", "-", "E&xit"}));
  EXPECT_EQ(ShownTexts(MenuTitled(bar, "&Options")->actions()),
            (std::vector<std::string>{"Select &Modem", "&Settings"}));
  EXPECT_EQ(
      ShownTexts(MenuTitled(bar, "&Connection")->actions()),
      (std::vector<std::string>{"&Direct Cable Connection", "&Modem Connection",
                                "Network Connection", "&Terminal Window", "-", "Disconnect"}));
  EXPECT_EQ(ShownTexts(MenuTitled(bar, "&Help")->actions()),
            (std::vector<std::string>{"&Instructions", "&About"}));
  EXPECT_EQ(ShownTexts(MenuTitled(bar, "Site")->actions()),
            (std::vector<std::string>{"&New Site", "&Remove Site", "-", "&Site List", "-",
                                      "&Last Connection Log", "-", "&Properties"}));
}

TEST_F(MainWindowView, TheToolbarCarriesItsFourteenButtonsAndItsMapButtonWorks) {
  auto* toolbar = Window()->findChild<QToolBar*>();
  ASSERT_NE(toolbar, nullptr);
  const QList<QAction*> actions = toolbar->actions();
  ASSERT_EQ(actions.size(), 14);
  for (int separator : {2, 8, 12}) EXPECT_TRUE(actions[separator]->isSeparator()) << separator;
  EXPECT_EQ(actions[0]->toolTip().toStdString(), "Site Info");
  actions[10]->trigger();  // "Map"
  RunOperatorInput();
  EXPECT_TRUE(app::MapShown(q.console));
  EXPECT_TRUE(actions[10]->isChecked());
}

TEST_F(MainWindowView, TheChangeUnitAddressButtonIsShownInTheStatusBar) {
  auto* button = Window()->statusBar()->findChild<QPushButton*>("cmdChange");
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->isVisible());
  EXPECT_EQ(button->text().toStdString(), "Change Unit address");
}

TEST_F(MainWindowView, TheMapFollowsTheFramesSize) {
  auto& map = q.console.Get<sites::frmMap>();
  map.Show();
  map.Move(600, 600, 2000, 2000);
  Window()->resize(900, 700);
  RunFor(q.rt, 100);
  EXPECT_EQ(map.Width(), Main().Width() - 210);
  EXPECT_EQ(map.Height(), Main().Height() - 2185);
  EXPECT_EQ(map.Left(), 0);
  EXPECT_EQ(map.Top(), 0);
  EXPECT_GT(Main().Width(), 13000);
}

TEST_F(MainWindowView, APressOnTheEmptyFrameReachesTheModelButNotOneOnAChildWindow) {
  std::vector<int> buttons;
  Main().MouseDown = [&](int button, int, double, double) { buttons.push_back(button); };
  auto* area = Window()->findChild<QMdiArea*>();
  ASSERT_NE(area, nullptr);
  auto& map = q.console.Get<sites::frmMap>();
  map.Show();
  map.Move(0, 0, 3000, 3000);  // 200 px square at the top left
  RunFor(q.rt, 100);
  QTest::mouseClick(area->viewport(), Qt::RightButton, {},
                    area->viewport()->rect().bottomRight() - QPoint(20, 20));
  QTest::mouseClick(area->viewport(), Qt::LeftButton, {}, QPoint(100, 100));
  RunOperatorInput();
  EXPECT_EQ(buttons, (std::vector<int>{ui::vbRightButton}));
}

// A "-" entry draws as a thin line between entries, not as an entry of its
// own showing the dash.
TEST_F(MainWindowView, MenuSeparatorsDrawAsLinesWithoutTheirDash) {
  QMenu* file = MenuTitled(Window()->menuBar(), "&File");
  ASSERT_NE(file, nullptr);
  file->popup(Window()->mapToGlobal(QPoint(10, 10)));
  ASSERT_TRUE(RunUntil(q.rt, [&] { return file->isVisible(); }, 2000));
  RunFor(q.rt, 50);
  EXPECT_TRUE(file->grab().save(ScreensDir() + "/menu_file.png"));
  int entry_height = 0;
  for (QAction* a : file->actions())
    if (!a->isSeparator() && a->isVisible()) entry_height = file->actionGeometry(a).height();
  ASSERT_GT(entry_height, 0);
  int separators = 0;
  for (QAction* a : file->actions()) {
    if (!a->isSeparator() || !a->isVisible()) continue;
    ++separators;
    EXPECT_TRUE(a->text().isEmpty());
    EXPECT_LT(file->actionGeometry(a).height(), entry_height / 2);
  }
  EXPECT_EQ(separators, 2);
  file->hide();
}

}  // namespace
}  // namespace qttest
