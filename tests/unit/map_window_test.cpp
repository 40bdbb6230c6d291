// The map window: where icons are drawn, how they blink, selecting,
// magnifying, moving a site with the right button, and the double click's
// refusals and its modem road. (Its network and direct roads run end to end
// in the Qt tests.)
#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/callout_run.h"
#include "app/frm_connection.h"
#include "app/frm_main.h"
#include "map_sites_fixture.h"
#include "simulated_site.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "sites/site_queries.h"

namespace {

using ::testing::UnorderedElementsAre;
using Point = std::pair<double, double>;

class MapWindow : public sitetest::MapSites {
 protected:
  std::vector<Point> Rings() {
    std::vector<Point> at;
    for (const auto& c : Map().Drawing().OfKind<ui::DrawCircle>())
      if (c.radius == 120) at.emplace_back(c.x, c.y);
    return at;
  }
  std::optional<ui::Color> DotAt(Point p) {
    std::optional<ui::Color> dot;
    for (const auto& c : Map().Drawing().OfKind<ui::DrawCircle>())
      if (c.radius == 75 && c.x == p.first && c.y == p.second) dot = c.fill_color;
    return dot;
  }
  void Click(int button, double x, double y) { Map().Form_MouseDown(button, 0, x, y); }
  auto& St() { return h.console.st; }
};

TEST_F(MapWindow, SitesAreDrawnWhereTheyLieStrictlyInsideTheMapShown) {
  for (const auto& [lat, lon, map] : std::vector<std::tuple<double, double, int>>{
           {500, 500, 0}, {250, 750, 0}, {0, 500, 0}, {1000, 500, 0}, {500, 1000, 0}, {400, 400, 3}})
    Add("S", lat, lon, 0, map);
  Map().SetScaleSize(11880, 8550);  // the client area inside the window's frame
  EXPECT_THAT(Rings(), UnorderedElementsAre(Point{5940, 4275}, Point{2970, 6412.5}));
}

TEST_F(MapWindow, DotsOfColoursOneAndTwoBlinkAndColourThreeDrawsOnlyTheRing) {
  const ui::Color on[] = {ui::vbWhite, 0xC0C0FF, ui::RGB(255, 0, 0)};
  for (int color = 0; color <= 3; ++color) Add("S", 100 + 200 * color, 500, color);
  for (int tick = 0; tick < 2; ++tick) {
    h.Run(1.0);  // one tick of the main window's flash timer
    for (int color = 0; color <= 3; ++color) {
      const auto dot = DotAt({1200 + 2400.0 * color, 4500});
      if (!St().FlashOn)
        EXPECT_EQ(dot, ui::vbWhite) << "the dot blinks off, colour " << color;
      else if (color == 3)
        EXPECT_EQ(dot, std::nullopt);
      else
        EXPECT_EQ(dot, on[color]) << color;
    }
  }
}

// The window repaints what its drawing reports changed: a tick reports the
// dots that blink, each place once (stacked icons share it), as the disc a
// view may repaint alone; the labels, the rings and the white dots of colour
// 0 are drawn again unchanged, and a redraw of a row as it stands reports
// nothing.
TEST_F(MapWindow, AFlashTickReportsTheBlinkingDotsAloneEachPlaceOnce) {
  const struct {
    double lat;
    int color;
  } sites[] = {{100, 0}, {300, 1}, {500, 2}, {700, 3}, {500, 2}, {900, 0}};
  std::int32_t plain = 0;
  for (const auto& s : sites) {
    const std::int32_t id = Add("S" + std::to_string(s.lat), s.lat, 500, s.color);
    if (s.color == 0) plain = id;
  }
  h.Run(1.0);  // the sites drawn
  for (int tick = 0; tick < 2; ++tick) {
    Map().TakeDrawingChanges();
    h.Run(1.0);
    const auto changes = Map().TakeDrawingChanges();
    ASSERT_FALSE(changes.everything) << tick;
    std::vector<Point> discs;
    for (const auto& area : changes.areas) {
      EXPECT_EQ(area.disc_radius, 75) << "a dot, tick " << tick;
      discs.emplace_back(area.disc_x, area.disc_y);
    }
    EXPECT_THAT(discs, UnorderedElementsAre(Point{3600, 4500}, Point{6000, 4500}, Point{8400, 4500}))
        << tick;
  }

  h.console.rsShared = h.console.Db.OpenRecordset(sites::RedrawSiteQuery(plain));
  Map().DrawIcon();
  h.console.rsShared.Close();
  EXPECT_FALSE(Map().TakeDrawingChanges().everything);
  EXPECT_TRUE(Map().TakeDrawingChanges().areas.empty()) << "drawn as it stands";
}

// A tick draws every icon again, but what it draws as it was costs no text
// measure, and the window hears of the drawing only when something changed
// on it: once a tick (the tick holds its news) while a dot blinks, never on
// a map where nothing blinks.
TEST_F(MapWindow, ATickMeasuresNoLabelAgainAndTellsTheWindowOnlyOfAChange) {
  struct Counter final : ui::FormObserver {
    virtual ~Counter() = default;
    void FormChanged(ui::Form&, ui::Prop which) override { drawing += which == ui::Prop::Drawing; }
    void ControlAdded(ui::Control&) override {}
    void ControlRemoved(ui::Control&) override {}
    int drawing = 0;
  };
  const struct {
    const char* map;
    std::vector<int> colors;
    int told_per_tick;
  } cases[] = {
      {"nothing blinks", {0, 0, 0}, 0},
      {"a dot blinks", {0, 2, 0}, 1},
      {"a dot comes and goes", {3, 0, 0}, 1},
  };
  for (const auto& c : cases) {
    h.console.Db.Execute("DELETE FROM tSites");
    for (std::size_t i = 0; i < c.colors.size(); ++i)
      Add("Site " + std::to_string(i), 100 + 300.0 * i, 500, c.colors[i]);
    Map().Form_Resize();  // the map drawn afresh, its labels measured once
    h.Run(1.0);
    Counter counter;
    Map().SetObserver(&counter);
    const long measured = h.rt.TextMeasures();
    const auto revision = Map().Drawing().Revision();
    h.Run(4.0);
    Map().SetObserver(nullptr);
    EXPECT_EQ(h.rt.TextMeasures(), measured) << c.map;
    EXPECT_EQ(counter.drawing, 4 * c.told_per_tick) << c.map;
    EXPECT_EQ(Map().Drawing().Revision() == revision, c.told_per_tick == 0) << c.map;
    EXPECT_EQ(Map().Drawing().OfKind<ui::DrawText>().size(), 2 * 2 * c.colors.size()) << c.map;
  }
}

TEST_F(MapWindow, AClickSelectsTheFirstSiteInTableOrderAndOnlyOnTheMapShown) {
  const std::int32_t first = Add("First", 500, 500, 0, 0, "1", 40);
  Add("Second", 505, 505);
  Add("Elsewhere", 300, 300, 0, 7);
  Click(ui::vbLeftButton, 6050, 4550);
  EXPECT_EQ(St().SelectedSiteID, first);
  EXPECT_EQ(St().SelectedSiteName, "First");
  EXPECT_EQ(St().SelectedSiteNum, 40);
  EXPECT_EQ(Map().Drawing().OfKind<ui::DrawText>().back().color, ui::RGB(255, 50, 0));
  Click(ui::vbLeftButton, 3600, 2700);  // where the other map's site would be
  EXPECT_EQ(St().SelectedSiteID, 0);

  St().Online = true;
  Op().ExpectMsgBox("Please disconnect from the current site before\r\nselecting another site.",
                    ui::vbOK, "Online");
  Click(ui::vbLeftButton, 6000, 4500);
  EXPECT_EQ(St().SelectedSiteID, 0);
}

// A session stores its log, alarms and colour on the selected site when it
// ends: while it is open, no gesture makes another site the selected one.
TEST_F(MapWindow, WhileOnlineNoOtherSiteBecomesTheSelectedOne) {
  const std::int32_t called = Add("Called", 250, 500, 0, 0, "5550101", 21);
  const std::int32_t other = Add("Other", 750, 500, 0, 0, "5550102", 22);
  testkit::SelectSite(h.console, called, {.name = "Called", .site_num = 21});
  auto& dir = h.console.Get<app::frmConnection>();
  dir.Show();
  const int other_row = dir.lstDirectory.FindKey("k " + std::to_string(other));
  const int called_row = dir.lstDirectory.FindKey("k " + std::to_string(called));
  const struct {
    const char* gesture;
    std::function<void()> make;
  } gestures[] = {
      {"left click", [&] { Click(ui::vbLeftButton, 9000, 4500); }},
      {"right drag",
       [&] {
         Click(ui::vbRightButton, 9000, 4500);
         Map().Form_MouseMove(ui::vbRightButton, 0, 9600, 4500);
         Map().Form_MouseUp(ui::vbRightButton, 0, 9600, 4500);
       }},
      {"directory row", [&] { dir.lstDirectory.UserClick(other_row); }},
  };
  St().Online = true;
  for (const auto& g : gestures) {
    SCOPED_TRACE(g.gesture);
    Op().ExpectMsgBox("Please disconnect from the current site before\r\nselecting another site.",
                      ui::vbOK, "Online");
    g.make();
    EXPECT_EQ(St().SelectedSiteID, called);
    EXPECT_EQ(St().SelectedSiteName + " " + std::to_string(St().SelectedSiteNum), "Called 21");
    EXPECT_FALSE(Map().Shape2.Visible());
    EXPECT_EQ(Field(other, "SiteLatMin"), "750") << "not moved";
    EXPECT_EQ(dir.lstDirectory.SelectedIndex(), called_row);
  }
  dir.lstDirectory.UserClick(called_row);  // the session's own row changes nothing
  EXPECT_EQ(St().SelectedSiteID, called);

  St().Online = false;
  dir.lstDirectory.UserClick(other_row);
  EXPECT_EQ(St().SelectedSiteID, other) << "offline, a row selects";
}

TEST_F(MapWindow, TheMagnifierZoomsThreeTimesThenTheFrameGoesAndMagnifyReturnsToTheWhole) {
  const std::int32_t id = Add("Centre", 500, 500);
  h.console.Get<app::frmMain>().tbToolBar.Press("Magnify");
  for (int zoom : {2, 4, 8}) {
    ASSERT_TRUE(Map().Shape1.Visible());
    Map().Form_MouseMove(0, 0, 6000, 4500);  // the frame centred on the map
    Click(ui::vbLeftButton, 6000, 4500);
    EXPECT_EQ(St().ZoomFactor, zoom);
    EXPECT_DOUBLE_EQ(St().ViewRight - St().ViewLeft, 12000.0 / zoom);
    EXPECT_THAT(Rings(), UnorderedElementsAre(Point{6000, 4500}));
  }
  EXPECT_FALSE(Map().Shape1.Visible());
  Click(ui::vbLeftButton, 6000, 4500);  // the fourth click selects
  EXPECT_EQ(St().ZoomFactor, 8);
  EXPECT_EQ(St().SelectedSiteID, id);

  h.console.Get<app::frmMain>().tbToolBar.Press("Magnify");
  EXPECT_FALSE(St().MapZoomed);
  EXPECT_EQ(St().ZoomFactor, 0) << "the next magnification starts from the whole map";
  EXPECT_EQ(St().ViewRight, 12000);
}

TEST_F(MapWindow, ARightDragOfATenthOfTheWidthMovesTheSiteByAHundredAndNeverOffTheMap) {
  const std::int32_t id = Add("Mover", 500, 500);
  Click(ui::vbRightButton, 6000, 4500);
  ASSERT_TRUE(Map().Shape2.Visible());
  EXPECT_EQ(Map().Shape2.Left(), 5865);
  Map().Form_MouseMove(ui::vbRightButton, 0, 7200, 4500);
  Map().Form_MouseUp(ui::vbRightButton, 0, 9000, 9000);  // the last move counts
  EXPECT_FALSE(Map().Shape2.Visible());
  EXPECT_EQ(Field(id, "SiteLatMin"), "600");
  EXPECT_EQ(Field(id, "SiteLonMin"), "500");

  Click(ui::vbRightButton, 7200, 4500);
  Map().Form_MouseMove(ui::vbRightButton, 0, 20000, -5000);
  Map().Form_MouseUp(ui::vbRightButton, 0, 20000, -5000);
  EXPECT_EQ(Field(id, "SiteLatMin"), "999");
  EXPECT_EQ(Field(id, "SiteLonMin"), "1");
  EXPECT_EQ(Rings().size(), 1u) << "still drawn";
}

TEST_F(MapWindow, DoubleClickWhileOnlineOrWithoutASiteOrAnsweredNoConnectsNothing) {
  const std::int32_t id = Add("Far", 500, 500, 0, 0, "5551234");
  Map().Form_DblClick();  // no site selected: not even a question
  testkit::SelectSite(h.console, id, {"Far"});
  St().Online = true;
  Map().Form_DblClick();
  St().Online = false;
  St().CalloutActive = true;  // a run holds the line between two of its calls
  Map().Form_DblClick();
  St().CalloutActive = false;
  Op().ExpectMsgBox("Are you sure you want to establish a \r\nconnection to the site 'Far'?",
                    ui::vbNo, "Confirm connection");
  Map().Form_DblClick();
  EXPECT_EQ(St().CmdState, 0);
  EXPECT_FALSE(h.serial.PortOpen());
  EXPECT_EQ(Op().Shown().size(), 1u);
}

// A site reached by modem is dialled by the digits of its number alone.
TEST_F(MapWindow, DoubleClickDialsATelephoneSiteByItsDigits) {
  const std::int32_t id = Add("Far", 500, 500, 0, 0, "(555) 12-34");
  testkit::SelectSite(h.console, id, {"Far"});
  testkit::SimulatedSite site(h, {});
  site.AttachSerial(/*modem=*/true);
  Op().ExpectMsgBox("~connection to the site 'Far'?", ui::vbYes, "Confirm connection");
  h.rt.After(20'000, [&] { St().StopReceive = true; });
  Map().Form_DblClick();
  const auto& lines = site.Modem()->CommandLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "ATDT5551234"), lines.end());
  EXPECT_TRUE(St().Online);
}

// From the moment a call is dialled until its session has ended (a manual
// call, or a callout run's), a click on another site, on the map or in the
// site directory, is refused: the session's log and alarms go to the site
// that was called.
class MapWindowDuringACall : public MapWindow, public ::testing::WithParamInterface<bool> {};

TEST_P(MapWindowDuringACall, NoOtherSiteIsSelectedFromTheDialUntilTheSessionEnds) {
  const bool run = GetParam();
  const std::int32_t called = Add("Called", 250, 500, 0, 0, "5550101", 21);
  const std::int32_t other = Add("Other", 750, 500, 0, 0, "5550102", 22);
  h.console.Db.Execute("UPDATE tSites SET Callout=? WHERE SiteID=?", {run, called});
  testkit::SelectSite(h.console, called, {.name = "Called", .site_num = 21});
  auto& dir = h.console.Get<app::frmConnection>();
  dir.Show();
  const int other_row = dir.lstDirectory.FindKey("k " + std::to_string(other));
  testkit::SimulatedSite site(h, sim::UnitConfig{.address = 21});
  site.AttachSerial(/*modem=*/true);
  const std::string refusal = "Please disconnect from the current site before\r\nselecting another site.";
  // 4 s into the dial, and once the unit has answered.
  for (std::int64_t at : {4'000, 10'000}) {
    h.rt.After(at, [&, at] {
      SCOPED_TRACE(at);
      // A run's boxes go into the called site's log: nobody is there to answer them.
      if (!run) Op().ExpectMsgBox(refusal, ui::vbOK, "Online").ExpectMsgBox(refusal, ui::vbOK, "Online");
      Click(ui::vbLeftButton, 9000, 4500);
      dir.lstDirectory.UserClick(other_row);
      h.console.Get<app::frmMain>().tbToolBar.Press("Map");  // hiding it would drop the selection
      EXPECT_EQ(St().SelectedSiteID, called);
      EXPECT_TRUE(Map().Visible());
    });
  }
  if (!run) h.rt.After(40'000, [&] { h.console.Get<app::frmMain>().mnuDisconnect.Choose(); });
  h.rt.After(90'000, [&] { St().StopReceive = true; });
  if (run) {
    St().CalloutActive = true;
    h.console.rsCallout = h.console.Db.OpenRecordset(sites::CalloutListQuery());
    app::TakeCalloutSite(h.console);
    app::DialCalloutSite(h.console, /*first=*/true);
  } else {
    h.console.cmd.Cmd[lnk::kDial] = "ATDT5550101\r";
    lnk::StartModemCall(h.console);
  }
  EXPECT_FALSE(St().CalloutActive);
  const std::string log = Field(called, "ConnectLog");
  EXPECT_NE(log.find("Dialing 5550101"), std::string::npos) << log;
  EXPECT_NE(log.find("Disconnecting..."), std::string::npos) << log;
  EXPECT_EQ(Field(called, "Alarms"), "0000000000000000") << "the session's alarms";
  EXPECT_EQ(Field(other, "ConnectLog") + Field(other, "Alarms"), "");
}

INSTANTIATE_TEST_SUITE_P(, MapWindowDuringACall, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "CalloutRun" : "ManualCall"; });

}  // namespace
