#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

#include "platform/picture_file.h"
#include "qt/named_pictures.h"

namespace qttest {
namespace {

const char* const kNames[] = {"GreenOn", "GreenOff", "RedOn",    "RedOff",   "Connect", "Hangup",
                              "Site",    "StatusL",  "StatusU",  "Memory",   "InstallL", "InstallU",
                              "FactoryL", "FactoryU", "Log",     "Map",      "Magnify", "LightOn",
                              "LightOff", "Done",     "AppLogo", "PanelPV",  "PanelLoad",
                              "PanelBattery", "PanelSite"};

int OpaquePixels(const QPixmap& pixmap) {
  const QImage image = pixmap.toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
  return count;
}

TEST(QtNamedPicturesTest, EveryNameDrawsAVisiblePictureAtTheSizeAskedFor) {
  for (const char* name : kNames) {
    EXPECT_TRUE(qtui::IsKnownPictureName(name)) << name;
    const QPixmap pixmap = qtui::NamedPicturePixmap(name, 32);
    EXPECT_EQ(pixmap.size(), QSize(32, 32)) << name;
    EXPECT_GT(OpaquePixels(pixmap), 32 * 32 / 8) << name;
  }
  EXPECT_EQ(qtui::NamedPicturePixmap("GreenOn").width(), qtui::NaturalPictureSize("GreenOn"));
}

TEST(QtNamedPicturesTest, VariantsLookDifferent) {
  const auto image = [](const char* name) { return qtui::NamedPicturePixmap(name, 24).toImage(); };
  EXPECT_NE(image("GreenOn"), image("GreenOff"));
  EXPECT_NE(image("RedOn"), image("RedOff"));
  EXPECT_NE(image("GreenOn"), image("RedOn"));
  EXPECT_NE(image("StatusL"), image("StatusU"));
  EXPECT_NE(image("InstallL"), image("InstallU"));
  EXPECT_NE(image("FactoryL"), image("FactoryU"));
}

TEST(QtNamedPicturesTest, UnknownNamesAndUnreadableFilesGiveAPlaceholder) {
  EXPECT_FALSE(qtui::IsKnownPictureName("Nonsense"));
  const QPixmap unknown = qtui::NamedPicturePixmap("Nonsense", 24);
  EXPECT_FALSE(unknown.isNull());
  EXPECT_EQ(unknown.toImage(), qtui::NamedPicturePixmap("Other", 24).toImage());
  EXPECT_FALSE(qtui::PicturePixmap(ui::Picture::FromFile("/no/such/file.bmp"), 24).isNull());
  EXPECT_TRUE(qtui::PicturePixmap(ui::Picture{}).isNull());
}

TEST(QtNamedPicturesTest, BitmapFilesLoadAtTheirOwnSize) {
  QTemporaryDir dir;
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(QColor(10, 20, 30));
  const QString path = dir.filePath(QStringLiteral("map.bmp"));
  ASSERT_TRUE(image.save(path));
  const QPixmap pixmap = qtui::PicturePixmap(ui::Picture::FromFile(path.toStdString()), 16);
  EXPECT_EQ(pixmap.size(), QSize(40, 30));
  EXPECT_EQ(pixmap.toImage().pixelColor(5, 5), QColor(10, 20, 30));
}

// A file whose header and length look whole but whose pixels the library
// cannot decode is refused with the library's reason, not shown as a
// placeholder in silence.
TEST(QtNamedPicturesTest, AFileTheLibraryCannotDecodeGivesItsReason) {
  QTemporaryDir dir;
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(QColor(10, 20, 30));
  const std::string good = dir.filePath(QStringLiteral("map.png")).toStdString();
  ASSERT_TRUE(image.save(QString::fromStdString(good)));
  EXPECT_EQ(qtui::PictureFileLoadError(good), "");

  const std::string fake = dir.filePath(QStringLiteral("fake.png")).toStdString();
  const std::string bytes =
      std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x02\x80\0\0\x01\xe0\x08\x02\0\0\0"
                  "\0\0\0\0\0\0\0\x10IDATjunkjunkjunkjunk\0\0\0\0"
                  "\0\0\0\0IEND\xAE\x42\x60\x82",
                  33 + 4 + 4 + 16 + 4 + 12);
  std::FILE* file = std::fopen(fake.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  ASSERT_EQ(platform::CheckPictureFile(fake).problem, "") << "the header and the end look whole";
  EXPECT_NE(qtui::PictureFileLoadError(fake), "");
}

}  // namespace
}  // namespace qttest
