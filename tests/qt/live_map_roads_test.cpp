// A double click on a site of the map, in real time on the Qt build against
// the simulator program: a site whose address is "~127.0.0.1" runs the
// network road to a V4 unit, one whose address is a port number runs the
// direct cable over a pseudo-terminal to a text unit. Each runs until the
// unit's status is in, then hangs up from the menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "live_console.h"
#include "link/startup.h"
#include "qt_test_support.h"
#include "site_rows.h"
#include "sites/frm_map.h"
#include "unit/frm_install.h"

namespace qttest {
namespace {

constexpr int kRoadLimitMs = 45'000;

class LiveMapRoads : public ::testing::Test {
 protected:
  // Start-up, a site in the middle of the map, the map shown.
  void StartWithSite(const std::string& phone) {
    ASSERT_TRUE(lnk::Main(q.console));
    ASSERT_TRUE(RunUntil(q.rt, [&] { return q.console.st.WindowRestored; }, 5000));
    testkit::AddSite(q.console, {"Summit", phone, 9, 4711, 0});
    q.console.Get<app::frmMain>().tbToolBar.Press("Map");
    RunFor(q.rt, 200);
  }

  // The operator double-clicks the site and confirms; a watcher hangs up
  // once the unit's status is in. Returns when the road's loop has ended.
  void DoubleClickTheSite(int firmware) {
    QWidget* surface = q.rt.WindowOf(q.console.Get<sites::frmMap>())->findChild<QWidget*>("surface");
    ASSERT_NE(surface, nullptr);
    const auto started = std::chrono::steady_clock::now();
    QTimer watcher;
    watcher.setInterval(100);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      auto& st = q.console.st;
      const std::string volts = q.console.Get<unit::frmInstall>().txtBattVolts.Text();
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes.push_back(box->text().toStdString());
        if (auto* yes = box->button(QMessageBox::Yes)) yes->click(); else box->reject();
      } else if (ElapsedMs(started) > kRoadLimitMs) {
        st.StopReceive = true;
      } else if (!hung_up && st.Online && st.CmdState == 0 && volts != "" && volts != "---" &&
                 q.console.param.FirmwareVersion == firmware) {
        q.console.Get<app::frmMain>().mnuDisconnect.Choose();
        hung_up = true;
        st.StopReceive = true;
      }
    });
    watcher.start();
    const QPoint site(surface->width() / 2, surface->height() / 2);
    OperatorDoubleClick(surface, Qt::LeftButton, site);  // the first press selects the site
    watcher.stop();
    EXPECT_TRUE(hung_up) << "no status within " << kRoadLimitMs << " ms";
    EXPECT_FALSE(q.console.st.Online);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front(), "Are you sure you want to establish a \r\nconnection to the site 'Summit'?");
    EXPECT_EQ(boxes.size(), 1u) << boxes.back();
  }

  LiveConsole q;
  bool hung_up = false;
  std::vector<std::string> boxes;
};

TEST_F(LiveMapRoads, ANetworkSiteRunsTheNetworkRoadToAV4Unit) {
  SimChild sim({"--tcp", "0", "--dialect", "v4", "--firmware", "40100", "--address", "9"});
  ASSERT_EQ(sim.Where().rfind("tcp 127.0.0.1:", 0), 0u) << sim.Where();
  q.registry.SaveSetting("Settings", "RemotePort", sim.Endpoint().substr(sim.Endpoint().find(':') + 1));
  q.registry.SaveSetting("Settings", "RemoteIP", "127.0.0.2");  // not used: the site names its host
  StartWithSite("~127.0.0.1");
  DoubleClickTheSite(40100);
  EXPECT_EQ(q.console.st.SiteNetAddress, "127.0.0.1");
  EXPECT_EQ(q.tcp.State(), platform::sckClosed);
}

TEST_F(LiveMapRoads, APortNumberSiteRunsTheDirectRoadOverAPty) {
  SimChild sim({"--pty", "--dialect", "text", "--firmware", "32116"});
  ASSERT_EQ(sim.Where().rfind("pty /dev/", 0), 0u) << sim.Where();
  q.registry.SaveSetting("Ports", "COM5", sim.Endpoint());  // "CableComPort" is 2
  StartWithSite("5");
  DoubleClickTheSite(32116);
  EXPECT_EQ(q.serial.CommPort, 5);
  EXPECT_EQ(q.console.st.UnitAddress, 9) << "the site's number";
  EXPECT_FALSE(q.serial.PortOpen());
}

}  // namespace
}  // namespace qttest
