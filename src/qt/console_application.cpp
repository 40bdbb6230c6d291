#include "console_application.h"

#include <QMessageBox>

#include <cstdio>
#include <exception>

namespace qtui {

bool ConsoleApplication::notify(QObject* receiver, QEvent* event) {
  std::string what;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    what = error.what();
  } catch (...) {
    what = "unknown fault";
  }
  std::fprintf(stderr, "vkx4700: internal error: %s\n", what.c_str());
  if (report_fault)
    report_fault(what);
  else
    QMessageBox::critical(nullptr, QStringLiteral("VKX-4700"),
                          QStringLiteral("Internal error: %1").arg(QString::fromLatin1(what.c_str())));
  return false;
}

}  // namespace qtui
