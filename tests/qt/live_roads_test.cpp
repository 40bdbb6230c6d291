// Two roads to a unit in real time, on the Qt runtime with the real serial
// port and socket, against the simulator program as a child process: the
// network road over 127.0.0.1 to a V4 unit and the direct cable over a
// pseudo-terminal to a text unit. Each runs from the menu to the Status page
// and a clean hang-up, then the program is closed; a picture of the main
// window with the online window and the Status page goes to
// artifacts/screens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "common/vb.h"
#include "console_harness.h"
#include "link/startup.h"
#include "platform/program_folder.h"
#include "qt/qt_registry.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "qt_test_support.h"
#include "temp_folder.h"
#include "unit/frm_install.h"
#include "unit/frm_security.h"

#include "live_console.h"
#include "screenshot_support.h"

namespace qttest {
namespace {

using SteadyClock = std::chrono::steady_clock;

// Longest a road may take from the menu to the hang-up.
constexpr int kRoadLimitMs = 45'000;

class LiveRoads : public ::testing::Test {
 protected:
  app::frmMain& Main() { return q.console.Get<app::frmMain>(); }
  unit::frmInstall& Install() { return q.console.Get<unit::frmInstall>(); }

  // Start-up as the program runs it, through the 2 s restore.
  void StartConsole() {
    ASSERT_TRUE(lnk::Main(q.console));
    ASSERT_TRUE(RunUntil(q.rt, [&] { return q.console.st.WindowRestored; }, 5000));
  }

  bool StatusShown() {
    auto& install = Install();
    const std::string volts = install.txtBattVolts.Text();
    return q.console.st.Online && install.Visible() &&
           install.fInstall[unit::kPageStatus].Visible() && !volts.empty() && volts != "---";
  }

  // Runs `road` (which returns when its receive loop ends) while a watcher,
  // every 100 ms, plays the operator: `step` is asked what to do next; once
  // it reports the status shown, the picture is taken, the session hung up
  // from the menu and the loop stopped. Message boxes nobody expects are
  // noted and closed.
  void Drive(const std::function<void()>& road, const std::function<void()>& step,
             const char* picture) {
    bool busy = false;
    QTimer watcher;
    watcher.setInterval(100);
    const auto started = SteadyClock::now();
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (busy) return;
      busy = true;
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        unexpected_boxes.push_back(box->text().toStdString());
        box->reject();
      } else if (ElapsedMs(started) > kRoadLimitMs) {
        q.console.st.StopReceive = true;
      } else if (!hung_up && StatusShown()) {
        status_after_ms = ElapsedMs(started);
        RunFor(q.rt, 300);  // let the windows paint
        Shoot(picture);
        Main().mnuDisconnect.Choose();
        hung_up = true;
        q.console.st.StopReceive = true;
      } else if (!hung_up) {
        step();
      }
      busy = false;
    });
    watcher.start();
    road();
    watcher.stop();
    road_ms = ElapsedMs(started);
  }

  // The main window with the online window and the Status page: the
  // picture shows them, and the battery's volts where the page has them.
  void Shoot(const char* name) {
    const WindowShot shot = SaveWidgetShot(q.rt.WindowOf(Main()), name);
    EXPECT_GT(QFileInfo(ScreensDir() + "/" + name + ".png").size(), 10'000);
    ExpectTextShown(shot, Install().txtBattVolts.Text());
  }

  // Closing the main window ends the program: the settings file and the
  // window's rectangle are written, the event loop is told to end.
  void CloseAndCheck() {
    app::frmMain& main = Main();  // (after the close, Main() would load it again)
    main.UserClose();
    EXPECT_TRUE(q.rt.QuitRequested());
    EXPECT_FALSE(q.serial.PortOpen());
    EXPECT_EQ(q.tcp.State(), platform::sckClosed);
    QSettings stored(QString::fromStdString(q.store), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Settings/MainWidth").toString().toStdString(),
              vb::CStr(main.Width()));
    EXPECT_TRUE(q.folder.ReadFile("VKX1300.ini").has_value());
  }

  void ExpectCleanSession() {
    EXPECT_TRUE(hung_up) << "no status within " << kRoadLimitMs << " ms";
    EXPECT_TRUE(unexpected_boxes.empty()) << unexpected_boxes.front();
    EXPECT_FALSE(q.console.st.Online);
    EXPECT_LT(road_ms, 60'000);
    std::printf("road: status after %.0f ms, hung up after %.0f ms\n", status_after_ms, road_ms);
  }

  LiveConsole q;
  bool hung_up = false;
  double status_after_ms = 0;
  double road_ms = 0;
  std::vector<std::string> unexpected_boxes;
  QObject scope;  // what a test leaves waiting on the event loop goes with it
};

TEST_F(LiveRoads, NetworkToAV4UnitOverLoopback) {
  SimChild sim({"--tcp", "0", "--dialect", "v4", "--firmware", "40100", "--address", "9"});
  ASSERT_EQ(sim.Where().rfind("tcp 127.0.0.1:", 0), 0u) << sim.Where();
  const std::string endpoint = sim.Endpoint();
  q.registry.SaveSetting("Settings", "RemoteIP", "127.0.0.1");
  q.registry.SaveSetting("Settings", "RemotePort", endpoint.substr(endpoint.find(':') + 1));
  StartConsole();

  // The V4 dump opens the Status page by itself.
  Drive([&] { Main().mnuConnNet.Choose(); }, [] {}, "main_window_network_session");
  ExpectCleanSession();
  EXPECT_EQ(q.console.param.FirmwareVersion, 40100);
  EXPECT_EQ(q.tcp.State(), platform::sckClosed) << "the session ends with its connection";
  EXPECT_FALSE(q.console.st.V4Mode) << "the stored dialect again";
  EXPECT_TRUE(sim.Running());
  CloseAndCheck();
}

TEST_F(LiveRoads, DirectCableToATextUnitOverAPty) {
  SimChild sim({"--pty", "--dialect", "text", "--firmware", "32116"});
  ASSERT_EQ(sim.Where().rfind("pty /dev/", 0), 0u) << sim.Where();
  q.registry.SaveSetting("Ports", "COM2", sim.Endpoint());  // "CableComPort" is 2
  StartConsole();

  // A text unit's status stays behind the Controls password: once the
  // status is in, the operator presses Status and gives the unit's
  // combination (its parameters 82 to 84).
  bool asked = false;
  auto step = [&] {
    auto& st = q.console.st;
    if (auto* security = q.console.IfLoaded<unit::frmSecurity>(); security && security->Visible()) {
      for (int i = 0; i <= 2; ++i)
        security->txtComb[i].Text =
            vb::Format(q.console.param.Eeprom[static_cast<std::size_t>(82 + i)], "00");
      security->cmdOK.Press();
    } else if (!asked && st.CmdState == 0 && !st.VStatusText.empty()) {
      asked = true;
      // From the event loop, so the watcher goes on while the dialog is open.
      QTimer::singleShot(0, &scope, [this] { Main().tbToolBar.Press("Status"); });
    }
  };
  Drive([&] { Main().mnuDirect.Choose(); }, step, "main_window_cable_session");
  ExpectCleanSession();
  EXPECT_TRUE(asked);
  EXPECT_EQ(q.console.param.FirmwareVersion, 32116);
  EXPECT_FALSE(q.serial.PortOpen()) << "a cable session closes its port";
  EXPECT_FALSE(q.console.st.DirectCable);
  EXPECT_TRUE(sim.Running());
  CloseAndCheck();
}

}  // namespace
}  // namespace qttest
