// Pictures of the settings dialog on each page, the modem selection and the
// terminal window, for people to look at (artifacts/screens).
#include <gtest/gtest.h>

#include <QTabBar>

#include "app/frm_debug.h"
#include "app/frm_select_modem.h"
#include "app/frm_settings.h"
#include "screenshot_support.h"

namespace qttest {
namespace {

TEST(SettingsWindowsScreenshot, SettingsPagesModemSelectionAndTerminal) {
  OfflineQtConsole q;
  q.registry.SaveSetting("Settings", "DefaultConn", "1");
  auto& settings = q.console.Get<app::frmSettings>();
  int index = 0;
  for (const char* page : {"general", "modem", "cable", "network"}) {
    settings.TabStrip1.UserSelect(++index);
    SaveWindowShot(q.rt, settings, std::string("settings_") + page);
    EXPECT_EQ(q.rt.WindowOf(settings)->findChild<QTabBar*>()->currentIndex(), index - 1);
  }
  SaveWindowShot(q.rt, q.console.Get<app::frmSelectModem>(), "select_modem");
  auto& terminal = q.console.Get<app::frmDebug>();
  terminal.txtIn.Text = "AT&F1S0=0\r\r\nOK\r\nU 26/03/02 0 10:04:07 1 1350 183 67 25 31 16 32 0 4F1A\r\n";
  terminal.txtOut.Text = "ATI";
  SaveWindowShot(q.rt, terminal, "terminal");
}

}  // namespace
}  // namespace qttest
