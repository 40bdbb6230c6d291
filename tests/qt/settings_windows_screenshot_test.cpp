// Pictures of the settings dialog on each page, the modem selection and the
// terminal window, for people to look at (artifacts/screens).
#include <gtest/gtest.h>

#include <QTabBar>

#include "app/frm_debug.h"
#include "app/frm_select_modem.h"
#include "app/frm_settings.h"
#include "app/modem_list.h"
#include "screenshot_support.h"

namespace qttest {
namespace {

TEST(SettingsWindowsScreenshot, EveryPageOfTheSettingsDialog) {
  OfflineQtConsole q;
  q.registry.SaveSetting("Settings", "DefaultConn", "1");
  auto& settings = q.console.Get<app::frmSettings>();
  const char* names[] = {"settings_general", "settings_modem", "settings_cable",
                         "settings_network"};
  for (int page = app::kSettingsGeneral; page <= app::kSettingsNetwork; ++page) {
    settings.TabStrip1.UserSelect(page);
    SaveWindowShot(q.rt, settings, names[page - 1]);
    auto* tabs = q.rt.WindowOf(settings)->findChild<QTabBar*>(QStringLiteral("tabs"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->currentIndex(), page - 1);
  }
}

TEST(SettingsWindowsScreenshot, ModemSelectionAndTerminal) {
  OfflineQtConsole q;
  const std::string key = std::string(app::kModemClassKey) + "0";
  q.registry.SetMachineValue(key, "DriverDesc", "Sample 33.6 Data Modem");
  q.registry.SetMachineValue(key + "\\Init", "2", "AT&FE0V1S0=0<cr>");
  SaveWindowShot(q.rt, q.console.Get<app::frmSelectModem>(), "select_modem");

  auto& terminal = q.console.Get<app::frmDebug>();
  terminal.txtIn.Text =
      "AT&F1S0=0\r\r\nOK\r\nU\r\nU 26/03/02 0 10:04:07 1 1350 183 67 25 31 16 32 0 4F1A\r\n";
  terminal.txtOut.Text = "ATI";
  SaveWindowShot(q.rt, terminal, "terminal");
}

}  // namespace
}  // namespace qttest
