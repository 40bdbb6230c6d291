// Helpers of the Qt tests: running the real event loop for a while, and
// finding the widget of a control.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMessageBox>
#include <QString>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <sys/resource.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

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

// CPU time (user and system, every thread of this process) so far, in ms.
inline double CpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
         (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

// CPU time that `work` took, in ms: what an idle wait must keep near zero.
inline double CpuMsWhile(const std::function<void()>& work) {
  const double before = CpuMs();
  work();
  return CpuMs() - before;
}

// Deletes what was scheduled for deletion (views of unloaded controls).
inline void FlushDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the operator's input that waits for the end of the event that carried
// it (a click, a chosen menu entry, a key that presses a button): what the
// event loop's next turn runs first.
inline void RunOperatorInput() {
  QCoreApplication::sendPostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
}

// Accepts the message box on screen, if one is, and adds its text to `told`;
// true when there was one.
inline bool AcceptMessageBox(std::vector<std::string>& told) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) return false;
  told.push_back(box->text().toStdString());
  box->accept();
  return true;
}

template <class Widget>
Widget* WidgetOf(qtui::QtRuntime& rt, const ui::Control& control) {
  qtui::QtFormView* view = rt.ViewOf(control.Owner());
  return view == nullptr ? nullptr : qobject_cast<Widget*>(view->WidgetOf(control));
}

// A double click as the window system makes one, through the widget's
// window: press, release, the double click in place of the second press,
// release (QTest's widget overload sends the double click alone).
inline void OperatorDoubleClick(QWidget* widget, Qt::MouseButton button, QPoint at) {
  QWindow* window = widget->window()->windowHandle();
  QTest::mouseDClick(window, button, {}, window->mapFromGlobal(widget->mapToGlobal(at)));
  QCoreApplication::processEvents();
}

// Where pictures for people to look at go: the build's artifacts/screens,
// or the screens folder under $VKX_ARTIFACT_DIR, so that a second run beside
// the suite writes files of its own.
inline QString ScreensDir() {
  const QString artifacts = qEnvironmentVariable("VKX_ARTIFACT_DIR", QStringLiteral(VKX_ARTIFACT_DIR));
  const QString dir = artifacts + QStringLiteral("/screens");
  QDir().mkpath(dir);
  return dir;
}

inline double ElapsedMs(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace qttest
