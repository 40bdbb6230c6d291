// A sheet of the toolbar's pictures, large, for people to look at
// (artifacts/screens/toolbar_pictures.png): every image key of the main
// window's toolbar, the page pictures in their locked and unlocked looks.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>

#include "qt/named_pictures.h"
#include "qt_test_support.h"

namespace qttest {
namespace {

TEST(ToolbarPicturesScreenshot, EveryImageKeyLockedAndUnlocked) {
  const char* const keys[] = {"Connect", "Hangup",   "Site",     "StatusL",  "StatusU",
                              "Memory",  "InstallL", "InstallU", "FactoryL", "FactoryU",
                              "Log",     "Map",      "Magnify"};
  constexpr int kCell = 72;
  constexpr int kPicture = 64;
  const int count = static_cast<int>(std::size(keys));
  QPixmap sheet(count * kCell, kCell + 18);
  sheet.fill(Qt::white);
  {
    QPainter p(&sheet);
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(qtui::IsKnownPictureName(keys[i])) << keys[i];
      p.drawPixmap(i * kCell + (kCell - kPicture) / 2, 4,
                   qtui::NamedPicturePixmap(keys[i], kPicture));
      p.drawText(QRect(i * kCell, kCell, kCell, 16), Qt::AlignCenter, QString::fromLatin1(keys[i]));
    }
  }
  ASSERT_TRUE(sheet.save(ScreensDir() + "/toolbar_pictures.png"));
  // The locked and unlocked looks differ.
  for (const char* page : {"Status", "Install", "Factory"})
    EXPECT_NE(qtui::NamedPicturePixmap(std::string(page) + "L", 24).toImage(),
              qtui::NamedPicturePixmap(std::string(page) + "U", 24).toImage())
        << page;
}

}  // namespace
}  // namespace qttest
