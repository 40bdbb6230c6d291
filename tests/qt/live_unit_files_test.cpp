// Save Status As of a V4 session in real time, on the Qt runtime over
// 127.0.0.1 against the simulator program: the file holds the session's last
// reply packet, zero padded to 350 bytes, then CR LF; and once the session is
// hung up (the stored dialect is text again) the same packet is saved.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <chrono>
#include <string>

#include "app/frm_main.h"
#include "link/startup.h"
#include "live_console.h"
#include "qt_test_support.h"
#include "unit/frm_install.h"

namespace qttest {
namespace {

TEST(LiveUnitFiles, SaveStatusAsOfAV4SessionWritesItsLastPacket) {
  SimChild sim({"--tcp", "0", "--dialect", "v4", "--firmware", "40100", "--address", "9"});
  ASSERT_EQ(sim.Where().rfind("tcp 127.0.0.1:", 0), 0u) << sim.Where();
  LiveConsole q;
  const std::string endpoint = sim.Endpoint();
  q.registry.SaveSetting("Settings", "RemoteIP", "127.0.0.1");
  q.registry.SaveSetting("Settings", "RemotePort", endpoint.substr(endpoint.find(':') + 1));
  ASSERT_TRUE(lnk::Main(q.console));
  ASSERT_TRUE(RunUntil(q.rt, [&] { return q.console.st.WindowRestored; }, 5000));
  auto& main = q.console.Get<app::frmMain>();
  auto& st = q.console.st;

  // The operator: once the unit is shown, Save Status As under the name
  // "live"; once the file is there, hang up.
  bool asked = false;
  std::string boxes;
  const auto started = std::chrono::steady_clock::now();
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      input->setTextValue("live");
      input->accept();
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      boxes += box->text().toStdString() + "\n";
      box->reject();
    } else if (!asked && st.Online && st.CmdState == 0 &&
               q.console.Get<unit::frmInstall>().Visible()) {
      asked = true;
      main.mnuSaveStatus.Choose();
    } else if ((asked && q.folder.Exists("live.vkx")) || ElapsedMs(started) > 45'000) {
      watcher.stop();
      main.mnuDisconnect.Choose();
      st.StopReceive = true;
    }
  });
  watcher.start(100);
  main.mnuConnNet.Choose();

  EXPECT_TRUE(boxes.empty()) << boxes;
  const std::string file = q.folder.ReadFile("live.vkx").value_or("");
  ASSERT_EQ(file.size(), 352u);
  EXPECT_EQ(file, st.PacketBuf + "\r\n");
  EXPECT_EQ(file.substr(0, 2), std::string("\x01\x13", 2)) << "275 parameters";
  EXPECT_LT(file.find_last_not_of('\0', 349), 345u) << "zero padded";

  ASSERT_FALSE(st.Online);
  ASSERT_FALSE(st.V4Mode);
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      boxes += input->labelText().toStdString() + "\n";
      input->setTextValue("after");
      input->accept();
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      boxes += box->text().toStdString() + "\n";
      box->reject();
    }
  });
  answer.start(50);
  main.mnuSaveStatus.Choose();
  answer.stop();
  EXPECT_EQ(boxes, "Please enter a filename to save bulk data (no extension):\n");
  EXPECT_EQ(q.folder.ReadFile("after.vkx").value_or(""), file);
  main.UserClose();
}

}  // namespace
}  // namespace qttest
