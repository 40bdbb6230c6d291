// Pieces the screenshot tests share: a console on the real Qt runtime with
// the shipped files and nothing connected, and saving a window's picture
// under the build's artifacts/screens. Every picture saved is also looked
// at (picture_checks.h); tests look for more in the WindowShot they get back.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QString>

#include <string>

#include "app/console.h"
#include "console_harness.h"
#include "link/settings_access.h"
#include "picture_checks.h"
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
  // subfolder: the program folder's name inside the temporary folder (none:
  // the temporary folder itself).
  explicit OfflineQtConsole(const std::string& subfolder = "")
      : folder(subfolder.empty() ? temp.Path() : temp.Path() + "/" + subfolder) {
    if (auto error = folder.EnsureSeeded(testkit::ShippedDataDir())) ADD_FAILURE() << *error;
    if (auto error = lnk::LoadSettings(console)) ADD_FAILURE() << *error;
  }
  qtui::QtRuntime rt;
  platform::MemoryRegistry registry;
  testkit::TempFolder temp;
  platform::ProgramFolder folder;
  qtui::QtSerialPort serial{registry};
  qtui::QtTcpClient tcp;
  app::Console console{app::Services{rt, registry, folder, serial, tcp}};
};

// Saves the picture of `window` as <name>.png and checks it shows the window.
inline WindowShot SaveWidgetShot(QWidget* window, const std::string& name) {
  WindowShot shot{name, window, {}};
  if (window == nullptr) {
    ADD_FAILURE() << name << ": no window";
    return shot;
  }
  const QPixmap picture = window->grab();
  const QString path = ScreensDir() + "/" + QString::fromStdString(name) + ".png";
  EXPECT_TRUE(picture.save(path)) << name;
  EXPECT_GT(QFileInfo(path).size(), 2000) << name;
  shot.image = picture.toImage();
  EXPECT_EQ(shot.image.size(), window->size() * picture.devicePixelRatio()) << name;
  ExpectPictureShowsItsWindow(shot);
  return shot;
}

// Shows the form unless shown, lets it paint, and saves its window as
// <name>.png (checked as above).
inline WindowShot SaveWindowShot(qtui::QtRuntime& rt, ui::Form& form, const std::string& name) {
  if (!form.Visible()) form.Show();
  RunFor(rt, 80);
  return SaveWidgetShot(rt.WindowOf(form), name);
}

}  // namespace qttest
