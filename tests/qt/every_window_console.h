// A console started as the program starts, holding one instance of every
// window class of the program, for the tests that walk them all.
#pragma once

#include "every_window.h"
#include "link/startup.h"
#include "screenshot_support.h"

namespace qttest {

inline bool StartWithEveryWindow(OfflineQtConsole& q) {
  app::Console& c = q.console;
  if (!lnk::Main(c)) return false;
  lnk::RestoreMainWindow(c);
#define VKX_CREATE(F) c.Instance<F>();
  VKX_EVERY_WINDOW(VKX_CREATE)
#undef VKX_CREATE
  return true;
}

}  // namespace qttest
