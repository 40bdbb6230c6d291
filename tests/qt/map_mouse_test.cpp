// The map window under the window system's own mouse events: a double click
// is one press and then the double click, so with the magnifier shown it
// magnifies once, and only the left button's double click asks to connect.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "screenshot_support.h"
#include "site_rows.h"
#include "sites/frm_map.h"

namespace qttest {
namespace {

TEST(MapMouse, ADoubleClickMagnifiesOnceAndOnlyTheLeftButtonsAsksToConnect) {
  OfflineQtConsole q;
  std::vector<std::string> boxes;  // every question asked, answered No
  QTimer watcher;
  watcher.setInterval(20);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      boxes.push_back(box->text().toStdString());
      if (auto* no = box->button(QMessageBox::No)) no->click(); else box->reject();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      boxes.push_back("a dialog");
      dialog->reject();
    }
  });
  watcher.start();
  auto& main = q.console.Get<app::frmMain>();
  main.Show();
  main.Move(0, 0, 18000, 12000);
  const std::int32_t summit = testkit::AddSite(q.console, {"Summit", "5551234", 9, 4711, 0});
  auto& map = q.console.Get<sites::frmMap>();
  map.Show();
  map.Move(0, 0, 9000, 6750);
  RunFor(q.rt, 100);
  QWidget* surface = q.rt.WindowOf(map)->findChild<QWidget*>(QStringLiteral("surface"));
  ASSERT_NE(surface, nullptr);
  const QPoint centre(surface->width() / 2, surface->height() / 2);  // where Summit is drawn
  ASSERT_EQ(surface->window()->childAt(surface->mapTo(surface->window(), centre)), surface);

  const std::string ask = "Are you sure you want to establish a \r\nconnection to the site 'Summit'?";
  const struct {
    const char* gesture;
    bool magnifier;
    Qt::MouseButton button;
    int zoom;
    std::int32_t selected;
    std::vector<std::string> asked;
  } cases[] = {
      {"left, magnifier shown", true, Qt::LeftButton, 2, 0, {}},
      {"right", false, Qt::RightButton, 0, summit, {}},
      {"left", false, Qt::LeftButton, 0, summit, {ask}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.gesture);
    map.Form_Resize();  // the whole map again
    q.console.st.SelectedSiteID = 0;
    map.Shape1.Visible = k.magnifier;
    boxes.clear();
    OperatorDoubleClick(surface, k.button, centre);
    RunFor(q.rt, 100);
    EXPECT_EQ(q.console.st.ZoomFactor, k.zoom);
    EXPECT_EQ(q.console.st.SelectedSiteID, k.selected);
    EXPECT_EQ(boxes, k.asked);
  }
  watcher.stop();
  EXPECT_EQ(q.console.st.CmdState, 0) << "nothing dialled";
}

}  // namespace
}  // namespace qttest
