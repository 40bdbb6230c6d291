// Another program started as itself: no shell reads its path, and it gets
// no arguments.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "qt/qt_program_launcher.h"

namespace qttest {
namespace {

TEST(QtProgramLauncherTest, StartsTheFileItselfWithoutArguments) {
  QTemporaryDir dir;
  const QString tool = dir.filePath(QStringLiteral("sys info"));  // a shell would split it
  QFile script(tool);
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\necho $# > \"$0.ran\"\n");
  script.close();
  script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qtui::QtProgramLauncher launcher;
  ASSERT_TRUE(launcher.StartProgram(tool.toStdString()));
  QFile ran(tool + QStringLiteral(".ran"));
  for (int i = 0; i < 100 && ran.size() == 0; ++i) QThread::msleep(50);
  ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
  EXPECT_EQ(ran.readAll(), QByteArray("0\n"));
  EXPECT_FALSE(launcher.StartProgram(dir.filePath(QStringLiteral("missing")).toStdString()));
}

}  // namespace
}  // namespace qttest
