// A fault inside a handler is reported and the program goes on; a window is
// not deleted under its own event handler by a wait nested in it.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "qt/console_application.h"
#include "qt_test_support.h"
#include "ui/controls.h"

namespace qttest {
namespace {

class FaultyForm : public ui::Form {
 public:
  explicit FaultyForm(ui::Runtime& rt) : ui::Form(rt, "frmFaulty") {
    tmrFault.Tick = [this] {
      ++ticks;
      if (ticks == 1) throw std::out_of_range("udProp(999) does not exist");
    };
  }
  ui::Timer tmrFault{*this, "tmrFault"};
  int ticks = 0;
};

TEST(ConsoleApplicationTest, HandlerFaultIsReportedAndTheProgramGoesOn) {
  auto* app = dynamic_cast<qtui::ConsoleApplication*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  std::vector<std::string> reported;
  app->report_fault = [&](const std::string& what) { reported.push_back(what); };
  qtui::QtRuntime rt;
  FaultyForm form(rt);
  form.tmrFault.Restart(20);
  RunFor(rt, 200);
  app->report_fault = nullptr;
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], "udProp(999) does not exist");
  EXPECT_GT(form.ticks, 2);  // the timer kept running after the fault
}

// A widget whose key handler waits in nested event processing, as the
// program's handlers do while a session runs.
class WaitingWidget : public QWidget {
 public:
  std::function<void()> on_key;

 protected:
  void keyPressEvent(QKeyEvent*) override { on_key(); }
};

// Released from a deeper event (a timer inside the wait), the window whose
// key event is still being handled beneath the wait lives until that handler
// returns, then goes; in Qt's own order, the wait would delete it.
TEST(ConsoleApplicationTest, AWindowReleasedInANestedWaitOutlivesItsOwnEvent) {
  qtui::QtRuntime rt;
  auto* window = new QWidget;
  auto* child = new WaitingWidget;
  child->setParent(window);
  QPointer<QWidget> watched(window);
  bool alive_in_wait = false;
  child->on_key = [&] {
    // Copied to the stack first: the handler must not read its own widget
    // after the wait, whatever happened to it.
    QPointer<QWidget>* seen = &watched;
    bool* alive = &alive_in_wait;
    qtui::QtRuntime* runtime = &rt;
    QTimer::singleShot(0, [window] { window->deleteLater(); });
    RunFor(*runtime, 50);
    *alive = *seen != nullptr;
  };
  window->show();
  QTest::keyClick(child, Qt::Key_A);
  EXPECT_TRUE(alive_in_wait);
  FlushDeletes();
  EXPECT_EQ(watched, nullptr);
}

}  // namespace
}  // namespace qttest
