// The Qt tests need a QApplication around every test; without a display
// they draw offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "qt/console_application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  qtui::ConsoleApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
