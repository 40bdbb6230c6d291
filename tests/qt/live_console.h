// Real-time test pieces: the simulator program as a child process, and a
// console built as the program builds it (Qt runtime, INI store, real serial
// port and socket, a program folder of its own).
#pragma once

#include <QDir>
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>

#include <string>

#include "app/console.h"
#include "console_harness.h"
#include "platform/program_folder.h"
#include "qt/qt_registry.h"
#include "qt/qt_runtime.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "temp_folder.h"

namespace qttest {

// vkx-sim with the given options; Where() is the line it prints first
// ("pty /dev/pts/7" or "tcp 127.0.0.1:PORT").
class SimChild {
 public:
  explicit SimChild(const QStringList& args) {
    process_.setProgram(QStringLiteral(VKX_SIM_BIN));
    process_.setArguments(args);
    // VKX_SIM_LOG=file keeps what the simulator tells (with --verbose).
    const QString log = qEnvironmentVariable("VKX_SIM_LOG");
    process_.setStandardErrorFile(log.isEmpty() ? QProcess::nullDevice() : log);
    process_.start();
    if (!process_.waitForStarted(5000)) return;
    while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
    }
    where_ = QString::fromLatin1(process_.readLine()).trimmed().toStdString();
  }
  ~SimChild() { Stop(); }
  // Ends the simulator (its pty or socket closes with it).
  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
      process_.kill();
      process_.waitForFinished(3000);
    }
  }
  const std::string& Where() const { return where_; }
  // The text after the first blank: the pty path or the address.
  std::string Endpoint() const { return where_.substr(where_.find(' ') + 1); }
  bool Running() const { return process_.state() == QProcess::Running; }

 private:
  QProcess process_;
  std::string where_;
};

// A console as the program builds it: Qt runtime, the per-user store in an
// INI file, the real serial port and socket, a program folder of its own.
struct LiveConsole {
  LiveConsole() {
    if (auto error = folder.EnsureSeeded(testkit::ShippedDataDir())) ADD_FAILURE() << *error;
    // The operator keeps the online window beside the installation screen,
    // and the main window large enough for both.
    std::string ini = folder.ReadFile("VKX1300.ini").value_or("");
    const std::string was = "[frmProgress.Left]=0";
    if (const auto at = ini.find(was); at != std::string::npos)
      ini.replace(at, was.size(), "[frmProgress.Left]=9700");
    if (auto error = folder.WriteFileAtomic("VKX1300.ini", ini)) ADD_FAILURE() << *error;
    registry.SaveSetting("Settings", "MainLeft", "0");
    registry.SaveSetting("Settings", "MainTop", "0");
    registry.SaveSetting("Settings", "MainWidth", "18000");
    registry.SaveSetting("Settings", "MainHeight", "10800");
  }

  qtui::QtRuntime rt;
  testkit::TempFolder home;
  testkit::TempFolder config;
  std::string store = config.File("VKX-4700.ini");
  qtui::QtRegistry registry{store};
  platform::ProgramFolder folder{home.Path()};
  qtui::QtSerialPort serial{registry};
  qtui::QtTcpClient tcp;
  app::Console console{app::Services{rt, registry, folder, serial, tcp}};
};

}  // namespace qttest
