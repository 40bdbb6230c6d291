#include "qt/qt_program_launcher.h"

#include <QProcess>
#include <QStringList>

#include "qt/qt_convert.h"

namespace qtui {

bool QtProgramLauncher::StartProgram(const std::string& path) {
  return QProcess::startDetached(PathToQt(path), QStringList());
}

}  // namespace qtui
