#include <gtest/gtest.h>

#include "qt/qt_dialogs.h"

namespace qttest {
namespace {

TEST(QtFileFilterTest, OriginalFiltersBecomeQtFilters) {
  EXPECT_EQ(qtui::QtFileFilter("Bulk Dump Files|*.bdd|All Files|*.*"),
            QStringLiteral("Bulk Dump Files (*.bdd);;All Files (*)"));
  EXPECT_EQ(qtui::QtFileFilter("Pictures|*.bmp;*.png"), QStringLiteral("Pictures (*.bmp *.png)"));
  EXPECT_EQ(qtui::QtFileFilter("Status Files (*.dat)|*.dat"),
            QStringLiteral("Status Files (*.dat)"));
  EXPECT_EQ(qtui::QtFileFilter(""), QString());
}

}  // namespace
}  // namespace qttest
