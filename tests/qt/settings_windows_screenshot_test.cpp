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
  // A caption of each page's own, in sight on its page only.
  const struct {
    const char* page;
    const char* caption;
  } pages[] = {{"general", "Status Screen:"},
               {"modem", "Number of Rings:"},
               {"cable", "COM Port:"},
               {"network", "Remote IP:"}};
  int index = 0;
  for (const auto& page : pages) {
    settings.TabStrip1.UserSelect(++index);
    const WindowShot shot = SaveWindowShot(q.rt, settings, std::string("settings_") + page.page);
    EXPECT_EQ(shot.window->findChild<QTabBar*>()->currentIndex(), index - 1);
    EXPECT_EQ(shot.window->windowTitle().toStdString(), "Settings");
    ExpectTextShown(shot, "OK");
    for (const auto& other : pages) {
      // (the cable page's row captions are the modem page's too)
      const bool shared = page.page == std::string("modem") && other.page == std::string("cable");
      if (&other == &page) {
        ExpectTextShown(shot, other.caption);
      } else if (!shared) {
        EXPECT_EQ(WidgetShowing(shot, other.caption), nullptr) << page.page << ": " << other.caption;
      }
    }
  }
  const WindowShot modems = SaveWindowShot(q.rt, q.console.Get<app::frmSelectModem>(), "select_modem");
  auto& terminal = q.console.Get<app::frmDebug>();
  terminal.txtIn.Text = "AT&F1S0=0\r\r\nOK\r\nU 26/03/02 0 10:04:07 1 1350 183 67 25 31 16 32 0 4F1A\r\n";
  terminal.txtOut.Text = "ATI";
  const WindowShot shot = SaveWindowShot(q.rt, terminal, "terminal");
  ExpectTextShown(shot, "ATI");
}

}  // namespace
}  // namespace qttest
