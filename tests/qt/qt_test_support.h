// Helpers of the Qt tests: running the real event loop for a while, and
// finding the widget of a control.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <chrono>
#include <functional>

#include "qt/form_view.h"
#include "qt/qt_runtime.h"

namespace qttest {

// Runs the event loop until pred() holds or max_ms pass; true if it held.
inline bool RunUntil(qtui::QtRuntime& rt, const std::function<bool()>& pred, int max_ms) {
  const vb::DateTime end = rt.Now() + max_ms;
  while (!pred()) {
    if (rt.Now() >= end) return false;
    rt.WaitEvents(end);
  }
  return true;
}

inline void RunFor(qtui::QtRuntime& rt, int ms) {
  RunUntil(rt, [] { return false; }, ms);
}

// Deletes what was scheduled for deletion (views of unloaded controls).
inline void FlushDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <class Widget>
Widget* WidgetOf(qtui::QtRuntime& rt, const ui::Control& control) {
  qtui::QtFormView* view = rt.ViewOf(control.Owner());
  return view == nullptr ? nullptr : qobject_cast<Widget*>(view->WidgetOf(control));
}

inline double ElapsedMs(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace qttest
