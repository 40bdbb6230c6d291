// Pictures of rendered forms for people to look at (artifacts/screens).
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "qt/named_pictures.h"
#include "qt_test_support.h"
#include "sample_form.h"
#include "screenshot_support.h"

namespace qttest {
namespace {

TEST(QtFormScreenshotTest, SampleFormWithEveryControlKind) {
  qtui::QtRuntime rt;
  SampleForm form(rt);
  form.Show();
  RunFor(rt, 100);
  QWidget* window = rt.WindowOf(form);
  ASSERT_NE(window, nullptr);
  const WindowShot shot = SaveWidgetShot(window, "sample_form");
  EXPECT_EQ(shot.image.size(), window->size());
  EXPECT_GT(QFileInfo(ScreensDir() + QStringLiteral("/sample_form.png")).size(), 10000);
}

TEST(QtFormScreenshotTest, NamedPictureSheet) {
  const char* names[] = {"GreenOn", "GreenOff", "RedOn",    "RedOff",   "Connect",  "Hangup",
                         "Site",    "StatusL",  "StatusU",  "Memory",   "InstallL", "InstallU",
                         "FactoryL", "FactoryU", "Log",     "Map",      "Magnify",  "LightOn",
                         "LightOff", "Done",     "AppLogo", "PanelPV",  "PanelLoad", "PanelBattery",
                         "PanelSite", "NoSuchPicture"};
  constexpr int kCell = 80;
  QPixmap sheet(kCell * 6, kCell * 5 * 2);
  sheet.fill(QColor(240, 240, 240));
  QPainter painter(&sheet);
  int i = 0;
  for (const char* name : names) {
    const QPoint cell((i % 6) * kCell, (i / 6) * kCell * 2);
    painter.drawPixmap(cell + QPoint(8, 8), qtui::NamedPicturePixmap(name, 64));
    painter.drawPixmap(cell + QPoint(8, 80), qtui::NamedPicturePixmap(name));
    painter.drawText(QRect(cell + QPoint(0, 128), QSize(kCell, 24)), Qt::AlignCenter,
                     QString::fromLatin1(name));
    ++i;
  }
  painter.end();
  EXPECT_TRUE(sheet.save(ScreensDir() + QStringLiteral("/named_pictures.png")));
}

}  // namespace
}  // namespace qttest
