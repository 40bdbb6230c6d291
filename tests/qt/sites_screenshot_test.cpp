// Pictures of the site windows for people to look at (artifacts/screens):
// the shipped map with icons of every colour and a selected site, the same
// map magnified, the site dialog, the site directory and both catalogue
// dialogs.
#include <gtest/gtest.h>

#include "app/frm_connection.h"
#include "app/frm_main.h"
#include "sites/frm_map.h"
#include "sites/frm_select_map.h"
#include "sites/frm_site.h"
#include "sites/map_catalogue.h"
#include "site_rows.h"

#include "screenshot_support.h"

namespace qttest {
namespace {

// The sites, in thousandths of the map across and down, with the colour
// of their state.
constexpr struct {
  const char* name;
  const char* phone;
  int cust, color;
  double lat, lon;
} kSites[] = {{"Harbour", "5550101", 1101, 0, 450, 560},   {"Ridge", "3", 1102, 1, 250, 720},
              {"Cape North", "~127.0.0.1", 1103, 2, 590, 420}, {"Lakeside", "5550104", 1104, 3, 280, 660},
              {"Delta", "5550105", 1105, 2, 640, 800},      {"Hilltop", "7", 1106, 0, 200, 820}};

struct SitesOnTheMap : ::testing::Test {
  void SetUp() override {
    // Opens the site database; its flash timer is stopped, the test setting
    // the blink phase itself.
    q.console.Get<app::frmMain>().tmrFlash.Enabled = false;
    for (const auto& s : kSites) {
      testkit::SiteRow row{s.name, s.phone, s.cust % 100, s.cust, 0};
      const std::int32_t id = testkit::AddSite(q.console, row);
      ids.push_back(id);
      EXPECT_FALSE(q.console.Db.Execute(
          "UPDATE tSites SET SiteColor=?, SiteLatMin=?, SiteLonMin=? WHERE SiteID=?",
          {s.color, s.lat, s.lon, id}));
    }
    testkit::SelectSite(q.console, ids[0], {"Harbour", "5550101", 1, 1101, 0});
  }
  // The picture of the map in the blink phase asked for.
  WindowShot ShootInPhase(sites::frmMap& map, bool on, const std::string& name) {
    if (q.console.st.FlashOn != on) map.DrawSites();
    return SaveWindowShot(q.rt, map, name);
  }
  // The colour at the middle of a site's icon: the whole map is in view, so
  // a site lies at its thousandths of the window's client area.
  QColor IconColour(const WindowShot& shot, sites::frmMap& map, double lat, double lon) {
    return shot.Pixel(
        shot.AtForm(*q.rt.ViewOf(map), lat / 1000 * map.ScaleWidth(), lon / 1000 * map.ScaleHeight()));
  }
  OfflineQtConsole q;
  std::vector<std::int32_t> ids;
};

TEST_F(SitesOnTheMap, MapWithIconsOfEveryColourThenMagnified) {
  auto& map = q.console.Get<sites::frmMap>();
  map.Show();
  map.Move(0, 0, 12000, 9450);
  RunFor(q.rt, 100);
  // Each icon's dot in the coloured phase: white, light red after a failed
  // call, red for an alarm, none (the ring's white) for a state without a
  // colour; in the other phase every dot is white.
  const QColor white(255, 255, 255);
  const QColor by_state[] = {white, QColor(255, 192, 192), QColor(255, 0, 0), white};
  for (const bool on : {true, false}) {
    const WindowShot shot = ShootInPhase(map, on, on ? "map_sites" : "map_sites_blink_off");
    for (const auto& s : kSites) {
      const QColor seen = IconColour(shot, map, s.lat, s.lon);
      const QColor expected = on ? by_state[s.color] : white;
      EXPECT_LE(ColourDistance(seen, expected), 24)
          << s.name << (on ? " on: " : " off: ") << seen.name().toStdString();
    }
  }

  map.Shape1.Visible = true;
  map.Form_MouseMove(0, 0, map.ScaleWidth() * 0.55, map.ScaleHeight() * 0.6);
  map.Form_MouseDown(ui::vbLeftButton, 0, map.ScaleWidth() * 0.55, map.ScaleHeight() * 0.6);
  ShootInPhase(map, true, "map_magnified");
}

TEST_F(SitesOnTheMap, SiteDialogDirectoryAndCatalogue) {
  auto& c = q.console;
  c.st.AddingSite = false;
  const WindowShot shot = SaveWindowShot(q.rt, c.Get<sites::frmSite>(), "site_dialog");
  EXPECT_EQ(shot.window->windowTitle().toStdString(), "Site Properties");
  for (const char* caption : {"Site name:", "Harbour", "Modem", "OK"})
    ExpectTextShown(shot, caption);
  c.Get<sites::frmSite>().Unload();

  SaveWindowShot(q.rt, c.Get<app::frmConnection>(), "site_directory");

  ASSERT_FALSE(q.folder.WriteFileAtomic(
      "Maps.ini", sites::MapLine("Regional map", 0, "TEVH.bmp") + "\r\n" +
                      sites::MapLine("Northern coast, 1:50 000", 3, "/srv/maps/coast.bmp") +
                      "\r\n" + sites::MapLine("Islands", 4, "/srv/maps/islands.bmp") + "\r\n"));
  auto& select = c.Get<sites::frmSelectMap>();
  select.lstMaps.UserSelect(1);
  SaveWindowShot(q.rt, select, "map_catalogue");
  auto& props = c.Get<sites::frmMapProps>();
  props.txtMapName.Text = "Northern coast, 1:50 000";
  props.txtPath.Text = "/srv/maps/coast.bmp";
  props.cmdApply.Enabled = true;
  SaveWindowShot(q.rt, props, "map_properties");
}

}  // namespace
}  // namespace qttest
