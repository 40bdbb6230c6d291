// The map window keeps its picture and paints again only where its drawing
// changed. Whatever changes on a map of 1,000 sites (the blink, a selection,
// a site's colour, a site moved, a magnified part, a rebuild), what the
// window shows equals the whole drawing painted afresh, pixel for pixel;
// a blink repaints the blinking dots and nothing else, and once both
// pictures of a dot have been painted, copies them; a redraw that changes
// nothing paints nothing.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "plain_painter.h"
#include "qt/drawing_canvas.h"
#include "screenshot_support.h"
#include "sites/frm_map.h"

namespace qttest {
namespace {

class KeptMapPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    q.console.Get<app::frmMain>();  // opens the site database
    // Sites all over the map, some on top of each other, in every colour
    // (3 draws the ring alone).
    ASSERT_FALSE(q.console.Db.Execute(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
        "INSERT INTO tSites (SiteName, SitePhone, SiteNum, SiteCustNum, SiteLatMin, SiteLonMin, "
        "SiteColor, AHResetTime) SELECT 'Site ' || i, '555' || i, i, 1000 + i, "
        "20 + (i * 37) % 960, 20 + (i * 53) % 960, i % 4, 0 FROM n"));
    Map().Show();
    Map().Move(0, 0, 12000, 9450);
    RunFor(q.rt, 100);
    surface_ = q.rt.WindowOf(Map())->findChild<QWidget*>("surface");
    ASSERT_NE(surface_, nullptr);
    Shown();  // painted whole once
  }

  sites::frmMap& Map() { return q.console.Get<sites::frmMap>(); }
  const qtui::DrawingCanvas& Canvas() { return *q.rt.ViewOf(Map())->Canvas(); }

  QImage Shown() { return surface_->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  QImage Afresh() {
    return PaintAfresh(Map().Drawing(), surface_->size(), Map().BackColor(), surface_->palette());
  }
  // The first ring drawn: where the first site of the table is.
  std::pair<double, double> FirstSite() {
    for (const auto& c : Map().Drawing().OfKind<ui::DrawCircle>())
      if (c.radius == 120) return {c.x, c.y};
    return {0, 0};
  }
  // Pixels that differ; both pictures are kept under artifacts when any do.
  int Differences(const std::string& step) {
    const QImage shown = Shown();
    const QImage afresh = Afresh();
    if (shown.size() != afresh.size()) return -1;
    int differ = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixel(x, y) != afresh.pixel(x, y) && differ++ == 0)
          first_difference_ = QString("first at %1, %2: %3 shown, %4 afresh")
                                  .arg(x).arg(y)
                                  .arg(shown.pixel(x, y), 0, 16).arg(afresh.pixel(x, y), 0, 16)
                                  .toStdString();
    if (differ > 0) {
      shown.save(ScreensDir() + "/kept_map_" + QString::fromStdString(step) + "_shown.png");
      afresh.save(ScreensDir() + "/kept_map_" + QString::fromStdString(step) + "_afresh.png");
    }
    return differ;
  }

  OfflineQtConsole q;
  QWidget* surface_ = nullptr;
  std::string first_difference_;
};

TEST_F(KeptMapPicture, ShowsWhatTheWholeDrawingPaintedAfreshShowsAfterEveryKindOfChange) {
  auto& map = Map();
  const auto [x, y] = FirstSite();
  const struct {
    const char* step;
    std::function<void()> change;
  } steps[] = {
      {"shown", [] {}},
      {"blink", [&] { map.DrawSites(); }},
      {"blink_back", [&] { map.DrawSites(); }},
      // From here on a blink finds the dots' pixels as painted before.
      {"blink_again", [&] { map.DrawSites(); }},
      {"selected", [&] { map.Form_MouseDown(ui::vbLeftButton, 0, x, y); }},
      {"selection_blinks", [&] { map.DrawSites(); }},
      {"turned_red",
       [&] {
         ASSERT_FALSE(q.console.Db.Execute("UPDATE tSites SET SiteColor=2 WHERE SiteID % 7 = 0"));
         map.DrawSites();
       }},
      {"red_blinks", [&] { map.DrawSites(); }},
      {"red_blinks_back", [&] { map.DrawSites(); }},
      {"moved",
       [&] {
         map.Form_MouseDown(ui::vbRightButton, 0, x, y);
         map.Form_MouseMove(ui::vbRightButton, 0, x + 700, y + 400);
         map.Form_MouseUp(ui::vbRightButton, 0, x + 700, y + 400);
       }},
      {"magnified",
       [&] {
         map.Shape1.Visible = true;
         map.Form_MouseMove(0, 0, map.ScaleWidth() * 0.4, map.ScaleHeight() * 0.5);
         map.Form_MouseDown(ui::vbLeftButton, 0, map.ScaleWidth() * 0.4, map.ScaleHeight() * 0.5);
         map.Shape1.Visible = false;
       }},
      {"magnified_blink", [&] { map.DrawSites(); }},
      {"magnified_blink_back", [&] { map.DrawSites(); }},
      {"magnified_blink_again", [&] { map.DrawSites(); }},
      {"rebuilt", [&] { map.Form_Resize(); }},
  };
  for (const auto& s : steps) {
    s.change();
    RunFor(q.rt, 30);
    EXPECT_EQ(Differences(s.step), 0) << "after " << s.step << ", " << first_difference_;
  }
}

TEST_F(KeptMapPicture, ABlinkRepaintsTheBlinkingDotsAloneAndARedrawOfTheSameNothing) {
  auto& map = Map();
  const auto before = Canvas().Repainted();
  map.DrawSites();
  Shown();
  const auto blink = Canvas().Repainted();
  EXPECT_EQ(blink.whole, before.whole) << "the map is not painted whole again";
  const long long area = static_cast<long long>(surface_->width()) * surface_->height();
  EXPECT_GT(blink.pixels, before.pixels);
  EXPECT_LT(blink.pixels - before.pixels, area / 5) << "the dots, not the map";

  // The dots blink between two pictures: once both are painted, a blink
  // paints nothing and looks again only at the blinking sites (colours 1 to
  // 3, three in four).
  map.DrawSites();
  Shown();
  const auto warm = Canvas().Repainted();
  for (int tick = 0; tick < 2; ++tick) {
    map.DrawSites();
    Shown();
  }
  const auto steady = Canvas().Repainted();
  EXPECT_GT(steady.pixels, warm.pixels);
  EXPECT_EQ(steady.remembered - warm.remembered, steady.pixels - warm.pixels);
  EXPECT_EQ(steady.operations, warm.operations) << "nothing painted";
  EXPECT_EQ(steady.runs_indexed - warm.runs_indexed, 2 * 750);
  EXPECT_EQ(steady.whole, before.whole);

  // Every icon drawn again as it stands (a colour-0 site's dot is white in
  // both phases, and a caller's redraw of a row draws what is there).
  ASSERT_FALSE(q.console.Db.Execute("UPDATE tSites SET SiteColor=0"));
  map.DrawSites();
  Shown();
  const auto plain = Canvas().Repainted();
  map.DrawSites();
  map.DrawSites();
  Shown();
  EXPECT_EQ(Canvas().Repainted().pixels, plain.pixels) << "nothing changed";
  EXPECT_EQ(Canvas().Repainted().operations, plain.operations);
  EXPECT_EQ(Canvas().Repainted().whole, before.whole);
}

}  // namespace
}  // namespace qttest
