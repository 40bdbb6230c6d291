// Pieces the screenshot tests share: a console on the real Qt runtime with
// the shipped files and nothing connected, and saving a window's picture
// under the build's artifacts/screens.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <string>

#include "app/console.h"
#include "console_harness.h"
#include "link/settings_access.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "qt/qt_runtime.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "qt_test_support.h"
#include "temp_folder.h"
#include "ui/form.h"

namespace qttest {

struct OfflineQtConsole {
  OfflineQtConsole() {
    if (auto error = folder.EnsureSeeded(testkit::ShippedDataDir())) ADD_FAILURE() << *error;
    if (auto error = lnk::LoadSettings(console)) ADD_FAILURE() << *error;
  }
  qtui::QtRuntime rt;
  platform::MemoryRegistry registry;
  testkit::TempFolder temp;
  platform::ProgramFolder folder{temp.Path()};
  qtui::QtSerialPort serial{registry};
  qtui::QtTcpClient tcp;
  app::Console console{app::Services{rt, registry, folder, serial, tcp}};
};

inline QString ScreenshotDir() {
  const QString dir = QStringLiteral(VKX_ARTIFACT_DIR "/screens");
  QDir().mkpath(dir);
  return dir;
}

// Shows the form unless shown, lets it paint, and saves its window as
// <name>.png.
inline void SaveWindowShot(qtui::QtRuntime& rt, ui::Form& form, const std::string& name) {
  if (!form.Visible()) form.Show();
  RunFor(rt, 80);
  QWidget* window = rt.WindowOf(form);
  ASSERT_NE(window, nullptr) << name;
  const QString path = ScreenshotDir() + "/" + QString::fromStdString(name) + ".png";
  ASSERT_TRUE(window->grab().save(path)) << name;
  EXPECT_GT(QFileInfo(path).size(), 2000) << name;
}

}  // namespace qttest
