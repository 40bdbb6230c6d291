// The Qt runtime in real time: timers, waiting, modal windows, dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "qt_test_support.h"
#include "ui/controls.h"

namespace qttest {
namespace {

using Clock = std::chrono::steady_clock;

class TimerForm : public ui::Form {
 public:
  explicit TimerForm(ui::Runtime& rt) : ui::Form(rt, "frmTimer") {
    tmrTick.Tick = [this] {
      ++ticks;
      if (hide_on_tick) Hide();
    };
  }
  ui::Timer tmrTick{*this, "tmrTick"};
  int ticks = 0;
  bool hide_on_tick = false;
};

class QtRuntimeTest : public ::testing::Test {
 protected:
  qtui::QtRuntime rt;
  QObject scope;  // what a test leaves waiting on the event loop goes with it
};

TEST_F(QtRuntimeTest, NowIsTheLocalWallClock) {
  const QDateTime clock = QDateTime::currentDateTime();
  const vb::DateTime expected =
      vb::MakeDateTime(clock.date().year(), clock.date().month(), clock.date().day(),
                       clock.time().hour(), clock.time().minute(), clock.time().second(),
                       clock.time().msec());
  EXPECT_LT(std::abs(rt.Now() - expected), 1000);
}

TEST_F(QtRuntimeTest, FiftyMillisecondTimerTicksAboutTwentyTimesASecond) {
  TimerForm form(rt);
  form.tmrTick.Interval = 50;
  form.tmrTick.Enabled = true;
  RunFor(rt, 1000);
  EXPECT_GE(form.ticks, 17);
  EXPECT_LE(form.ticks, 21);
}

TEST_F(QtRuntimeTest, StoppedTimerStopsTicking) {
  TimerForm form(rt);
  form.tmrTick.Restart(20);
  ASSERT_TRUE(RunUntil(rt, [&] { return form.ticks >= 2; }, 1000));
  form.tmrTick.Enabled = false;
  const int ticks = form.ticks;
  RunFor(rt, 150);
  EXPECT_EQ(form.ticks, ticks);
}

TEST_F(QtRuntimeTest, WaitEventsSleepsUntilItsDeadline) {
  const auto start = Clock::now();
  const vb::DateTime until = rt.Now() + 200;
  int calls = 0;
  while (rt.Now() < until) {
    rt.WaitEvents(until);
    ++calls;
  }
  const double elapsed = ElapsedMs(start);
  EXPECT_GE(elapsed, 195);
  EXPECT_LT(elapsed, 350);
  EXPECT_LT(calls, 20) << "WaitEvents returned without waiting";
}

TEST_F(QtRuntimeTest, WaitEventsReturnsEarlyWhenATimerTicks) {
  TimerForm form(rt);
  form.tmrTick.Restart(50);
  const auto start = Clock::now();
  const vb::DateTime until = rt.Now() + 3000;
  while (form.ticks == 0 && rt.Now() < until) rt.WaitEvents(until);
  EXPECT_EQ(form.ticks, 1);
  EXPECT_GE(ElapsedMs(start), 45);
  EXPECT_LT(ElapsedMs(start), 500);
}

// The program's receive loop runs inside a timer handler and waits there;
// other timers keep ticking meanwhile, and the handler is not entered again.
TEST_F(QtRuntimeTest, HandlerWaitingInsideATimerLetsOtherTimersTick) {
  TimerForm form(rt);
  ui::Timer other(form, "tmrOther");
  int other_ticks = 0;
  int entries = 0;
  int waits = 0;
  double waited_ms = 0;
  other.Tick = [&] { ++other_ticks; };
  form.tmrTick.Tick = [&] {
    if (++entries > 1) return;
    const auto start = Clock::now();
    const vb::DateTime until = rt.Now() + 300;
    while (rt.Now() < until) {
      rt.WaitEvents(until);
      ++waits;
    }
    waited_ms = ElapsedMs(start);
  };
  other.Restart(50);
  form.tmrTick.Restart(20);
  ASSERT_TRUE(RunUntil(rt, [&] { return waited_ms > 0; }, 2000));
  EXPECT_GE(waited_ms, 295);
  EXPECT_GE(other_ticks, 5);
  EXPECT_LT(waits, 40) << "the nested wait spun";
}

TEST_F(QtRuntimeTest, ModalShowReturnsWhenATimerHidesTheForm) {
  TimerForm form(rt);
  form.hide_on_tick = true;
  form.tmrTick.Restart(100);
  const auto start = Clock::now();
  form.Show(true);
  EXPECT_FALSE(form.Visible());
  EXPECT_GE(ElapsedMs(start), 90);
  EXPECT_LT(ElapsedMs(start), 2000);
  EXPECT_EQ(form.ticks, 1);
}

TEST_F(QtRuntimeTest, QuitEndsAModalLoop) {
  TimerForm form(rt);
  form.tmrTick.Restart(50);
  form.tmrTick.Tick = [&] { rt.Quit(); };
  form.Show(true);
  EXPECT_TRUE(rt.QuitRequested());
  EXPECT_EQ(rt.Exec(), 0) << "Exec after Quit must not block";
}

// Answers the next modal dialog once it is up, unless scope is gone by then.
void AnswerNextDialog(QObject& scope, std::function<void(QWidget*)> answer) {
  QTimer::singleShot(0, &scope, [&scope, answer = std::move(answer)] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) {
      AnswerNextDialog(scope, answer);  // not shown yet
      return;
    }
    answer(dialog);
  });
}

TEST_F(QtRuntimeTest, MessageBoxGivesTheButtonChosenAndADefaultTitle) {
  QString title;
  QString text;
  AnswerNextDialog(scope, [&](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(rt.MsgBox("Hang up \xBA now?", ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2, ""),
            ui::vbNo);
  EXPECT_EQ(title, QStringLiteral("VKX-4700"));
  EXPECT_EQ(text, QStringLiteral("Hang up \u00BA now?"));
}

TEST_F(QtRuntimeTest, MessageBoxClosedWithEscapeAnswersCancel) {
  AnswerNextDialog(scope, [](QWidget* dialog) { qobject_cast<QMessageBox*>(dialog)->reject(); });
  EXPECT_EQ(rt.MsgBox("Retry the call?", ui::vbRetryCancel, "Modem"), ui::vbCancel);
  // Each set of buttons, and what the Escape key answers in it.
  using B = QMessageBox;
  const struct {
    int buttons;
    B::StandardButtons shown;
    int escape;
  } boxes[] = {{ui::vbOKOnly, B::Ok, ui::vbOK},
               {ui::vbOKCancel, B::Ok | B::Cancel, ui::vbCancel},
               {ui::vbAbortRetryIgnore, B::Abort | B::Retry | B::Ignore, ui::vbAbort},
               {ui::vbYesNoCancel, B::Yes | B::No | B::Cancel, ui::vbCancel},
               {ui::vbYesNo, B::Yes | B::No, ui::vbNo},
               {ui::vbRetryCancel, B::Retry | B::Cancel, ui::vbCancel}};
  for (const auto& b : boxes) {
    B::StandardButtons shown;
    AnswerNextDialog(scope, [&shown](QWidget* dialog) {
      shown = qobject_cast<QMessageBox*>(dialog)->standardButtons();
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(rt.MsgBox("Go on?", b.buttons, "Modem"), b.escape) << b.buttons;
    EXPECT_EQ(shown, b.shown) << b.buttons;
  }
}

TEST_F(QtRuntimeTest, InputBoxGivesTheTextOrNothingWhenCancelled) {
  AnswerNextDialog(scope, [](QWidget* dialog) {
    auto* input = qobject_cast<QInputDialog*>(dialog);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->textValue(), QStringLiteral("07"));
    input->setTextValue(QStringLiteral("12"));
    input->accept();
  });
  EXPECT_EQ(rt.InputBox("Unit address", "Address", "07"), "12");
  AnswerNextDialog(scope, [](QWidget* dialog) { qobject_cast<QInputDialog*>(dialog)->reject(); });
  EXPECT_EQ(rt.InputBox("Unit address", "Address", "07"), "");
}

TEST_F(QtRuntimeTest, TextMeasuresGrowWithTextAndFontSize) {
  const double narrow = rt.TextWidth("iiii", 8.25, false);
  const double wide = rt.TextWidth("WWWW", 8.25, false);
  EXPECT_GT(wide, narrow);
  EXPECT_GT(rt.TextWidth("WWWW", 12, false), wide);
  EXPECT_GE(rt.TextWidth("WWWW", 8.25, true), wide);
  const double height = rt.TextHeight(8.25);
  EXPECT_GT(height, 150);  // more than 10 px
  EXPECT_LT(height, 300);  // less than 20 px
}

}  // namespace
}  // namespace qttest
