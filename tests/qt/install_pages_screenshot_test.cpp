// Pictures of the installation screen's pages after a sample unit was
// loaded, for people to look at (artifacts/screens).
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QWidget>

#include "app/console.h"
#include "console_harness.h"
#include "dump_loader.h"
#include "link/settings_access.h"
#include "link/status_parsers.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "qt_test_support.h"
#include "temp_folder.h"
#include "unit/frm_install.h"

namespace qttest {
namespace {

// A console on the real runtime with the shipped files, nothing connected.
struct InstallConsole {
  InstallConsole() {
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

void ShootPage(qtui::QtRuntime& rt, unit::frmInstall& f, int page, const char* name) {
  for (auto& [index, frame] : f.fInstall) frame->Visible = index == page;
  if (!f.Visible()) f.Show();
  RunFor(rt, 80);
  QWidget* window = rt.WindowOf(f);
  ASSERT_NE(window, nullptr) << name;
  const QString dir = QStringLiteral(VKX_ARTIFACT_DIR "/screens");
  QDir().mkpath(dir);
  const QString path = dir + "/" + QString::fromLatin1(name) + ".png";
  ASSERT_TRUE(window->grab().save(path)) << name;
  EXPECT_GT(QFileInfo(path).size(), 2000) << name;
}

TEST(InstallPagesScreenshot, PagesOfALoadedUnit) {
  InstallConsole q;
  app::Console& c = q.console;
  // A 48 V unit of firmware 3.18.02 with an open Install level.
  c.st.InstallLocked = false;
  testkit::ParameterValues values = testkit::SampleParameters(3, 18, 2);
  EXPECT_EQ(testkit::LoadTextDump(c, testkit::PlainDump(values)), "");
  c.st.RxBuffer = "U 26/03/02 5 10:04:07 1 5124 183 67 25 31 16 32 0";
  lnk::ParseUReply(c);
  c.st.RxBuffer = "V 0 0 1 0 0 12550 4830 2210";
  lnk::ParseVReply(c);

  unit::frmInstall& f = c.Get<unit::frmInstall>();
  ShootPage(q.rt, f, unit::kPageFactory, "install_factory");
  ShootPage(q.rt, f, unit::kPageInstall, "install_install");
  ShootPage(q.rt, f, unit::kPageControls, "install_controls");
  ShootPage(q.rt, f, unit::kPageMemory, "install_memory");
  ShootPage(q.rt, f, unit::kPageStatus, "install_status");
}

TEST(InstallPagesScreenshot, V4UnitWithBatterySafeMaintenance) {
  InstallConsole q;
  app::Console& c = q.console;
  c.st.V4Mode = true;
  testkit::ParameterValues values = testkit::SampleParameters(2, 21, 4);
  values[227] = 130;
  values[267] = 12;
  testkit::LoadBinaryImage(c, values);
  unit::frmInstall& f = c.Get<unit::frmInstall>();
  ShootPage(q.rt, f, unit::kPageFactory, "install_factory_v4");
  ShootPage(q.rt, f, unit::kPageInstall, "install_install_v4");
}

}  // namespace
}  // namespace qttest
