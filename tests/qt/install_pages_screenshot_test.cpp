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

#include "screenshot_support.h"

namespace qttest {
namespace {


void ShootPage(qtui::QtRuntime& rt, unit::frmInstall& f, int page, const char* name) {
  for (auto& [index, frame] : f.fInstall) frame->Visible = index == page;
  SaveWindowShot(rt, f, name);
}

TEST(InstallPagesScreenshot, PagesOfALoadedUnit) {
  OfflineQtConsole q;
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
  OfflineQtConsole q;
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
