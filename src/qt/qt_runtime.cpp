#include "qt/qt_runtime.h"

#include "qt/named_pictures.h"

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFontMetricsF>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <chrono>

#include "qt/form_view.h"
#include "qt/qt_convert.h"
#include "qt/qt_dialogs.h"
#include "ui/form.h"
#include "ui/timer.h"

namespace qtui {

namespace {

// A deadline further away than this needs no timer of its own: the loop
// wakes for anything else anyway, and the caller asks again.
constexpr std::int64_t kLongestDeadlineMs = 24LL * 3600 * 1000;

QFont UiFont(double point_size, bool bold) {
  QFont font = QApplication::font();
  font.setPointSizeF(point_size > 0 ? point_size : 8.25);
  font.setBold(bold);
  return font;
}

}  // namespace

QtRuntime::QtRuntime() = default;

QtRuntime::~QtRuntime() {
  for (ModalLoop* modal : modal_loops_) modal->loop->quit();
  for (auto& [form, view] : views_)
    if (view != nullptr) view->DestroyNow();
  for (auto& [timer, qtimer] : timers_) delete qtimer;
}

int QtRuntime::Exec() {
  if (quit_requested_) return 0;
  return QApplication::exec();
}

QtFormView* QtRuntime::ViewOf(const ui::Form& form) const {
  auto it = views_.find(&form);
  return it == views_.end() ? nullptr : it->second.data();
}

QWidget* QtRuntime::WindowOf(const ui::Form& form) const {
  QtFormView* view = ViewOf(form);
  return view != nullptr ? view->Window() : nullptr;
}

// ---- time and events ---------------------------------------------------------

vb::DateTime QtRuntime::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return vb::MakeDateTime(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                          time.second(), time.msec());
}

std::int64_t QtRuntime::SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void QtRuntime::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtRuntime::WaitEvents(vb::DateTime until) { WaitAtMost(until - Now()); }

void QtRuntime::WaitEventsSteady(std::int64_t until_ms) { WaitAtMost(until_ms - SteadyMs()); }

// Sleeps in the event dispatcher until some event arrives (port data, a
// timer, input) or the deadline timer (monotonic, as every QTimer) fires;
// handles what came, and returns.
void QtRuntime::WaitAtMost(std::int64_t wait_ms) {
  if (wait_ms <= 0) {
    DoEvents();
    return;
  }
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.setTimerType(Qt::PreciseTimer);
  if (wait_ms <= kLongestDeadlineMs) deadline.start(static_cast<int>(wait_ms));
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// ---- timers ------------------------------------------------------------------

void QtRuntime::TimerChanged(ui::Timer& timer) {
  if (!timer.Running()) {
    auto it = timers_.find(&timer);
    if (it != timers_.end()) it->second->stop();
    return;
  }
  QTimer*& qtimer = timers_[&timer];
  if (qtimer == nullptr) {
    qtimer = new QTimer();
    qtimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(qtimer, &QTimer::timeout, qtimer, [&timer] { timer.Fire(); });
  }
  qtimer->start(timer.Interval());  // (re)starts the count
}

// The timer may be destroyed from its own Tick handler, so its QTimer goes
// later.
void QtRuntime::TimerDestroyed(ui::Timer& timer) {
  auto it = timers_.find(&timer);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second->disconnect();
  it->second->deleteLater();
  timers_.erase(it);
}

// ---- forms -------------------------------------------------------------------

void QtRuntime::FormCreated(ui::Form&) {}

void QtRuntime::FormDestroyed(ui::Form& form) {
  EndModalLoopsOf(form, true);
  if (active_form_ == &form) active_form_ = nullptr;
  auto it = views_.find(&form);
  if (it == views_.end()) return;
  if (QtFormView* view = it->second) {
    // The form's controls are gone already (members die before the base).
    view->ModelGone();
    view->Window()->hide();
    view->Window()->deleteLater();
  }
  views_.erase(it);
}

void QtRuntime::FormVisibilityChanged(ui::Form& form) {
  if (form.Visible()) {
    QtFormView* view = EnsureView(form);
    active_form_ = &form;  // the model ran Form_Activate already
    view->Show();
    return;
  }
  if (active_form_ == &form) active_form_ = nullptr;
  if (!form.IsLoaded()) {
    // Unloaded: the next Load designs the controls anew, so the next show
    // builds a new view from them.
    RetireView(form);
  } else if (QtFormView* view = ViewOf(form)) {
    view->Hide();
  }
  EndModalLoopsOf(form, false);
}

QtFormView* QtRuntime::EnsureView(ui::Form& form) {
  if (QtFormView* view = ViewOf(form)) return view;
  QtFormView::Placement placement;
  for (auto& [other, view] : views_)
    if (view != nullptr && other->IsMDIForm()) {
      placement.mdi_area = view->MdiArea();
      placement.owner = view->Window();
    }
  QtFormView* view = QtFormView::Create(form, placement,
                                        [this](ui::Form& activated) { FormActivated(activated); });
  views_[&form] = view;
  return view;
}

void QtRuntime::RetireView(ui::Form& form) {
  auto it = views_.find(&form);
  if (it == views_.end()) return;
  if (QtFormView* view = it->second) view->Retire();
  views_.erase(it);
}

// Activate runs when the operator moves to another of the program's windows;
// coming back from another program to the same window is no new activation.
void QtRuntime::FormActivated(ui::Form& form) {
  if (active_form_ == &form) return;
  active_form_ = &form;
  form.UserActivated();
}

// ---- modal windows -----------------------------------------------------------

void QtRuntime::ShowModal(ui::Form& form) {
  if (quit_requested_ || !form.Visible() || !form.IsLoaded()) return;
  EnsureView(form)->SetModal(true);
  QEventLoop loop;
  ModalLoop modal{&form, &loop};
  modal_loops_.push_back(&modal);
  loop.exec(QEventLoop::DialogExec);
  std::erase(modal_loops_, &modal);
  if (modal.form_destroyed) return;
  if (QtFormView* view = ViewOf(form)) view->SetModal(false);
}

void QtRuntime::EndModalLoopsOf(ui::Form& form, bool destroyed) {
  for (ModalLoop* modal : modal_loops_)
    if (modal->form == &form) {
      modal->form_destroyed = modal->form_destroyed || destroyed;
      modal->loop->quit();
    }
}

// Ends the modal loops, and the application's loop when it runs (the loops
// beyond the modal ones). QCoreApplication::exit is kept for that case: it
// makes every later QEventLoop::exec return at once, and Qt's quit() would
// first try to close every window (each a form's UserClose).
void QtRuntime::Quit() {
  quit_requested_ = true;
  for (ModalLoop* modal : modal_loops_) modal->loop->quit();
  if (QThread::currentThread()->loopLevel() > static_cast<int>(modal_loops_.size()))
    QCoreApplication::exit(0);
}

// ---- dialogs and text --------------------------------------------------------

QWidget* QtRuntime::DialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

int QtRuntime::ShowMsgBox(std::string_view prompt, int buttons, std::string_view title) {
  return ShowMessageBox(DialogParent(), prompt, buttons, title);
}

std::string QtRuntime::InputBox(std::string_view prompt, std::string_view title,
                                std::string_view default_text) {
  return AskText(DialogParent(), prompt, title, default_text);
}

std::string QtRuntime::FileDialog(const ui::FileDialogRequest& request) {
  return AskFileName(DialogParent(), request);
}

void QtRuntime::Beep() { QApplication::beep(); }

std::string QtRuntime::PictureLoadProblem(const std::string& path) {
  return PictureFileLoadError(path);
}

// One override cursor at most, so a pointer set twice is restored by one
// return to the default.
void QtRuntime::SetMousePointer(int pointer) {
  const bool busy = pointer == ui::vbHourglass;
  if (busy == busy_cursor_) return;
  busy_cursor_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

double QtRuntime::TextWidth(std::string_view text, double font_size, bool bold) {
  constexpr std::size_t kKeptWidths = 1 << 17;
  std::string& key = width_key_;
  key.assign(text);
  key.append(reinterpret_cast<const char*>(&font_size), sizeof font_size);
  key += bold ? 'b' : 'n';
  if (auto it = text_widths_.find(key); it != text_widths_.end()) return it->second;
  const QFontMetricsF metrics(UiFont(font_size, bold));
  const double width = PxToTwips(metrics.horizontalAdvance(ToQt(text)));
  if (text_widths_.size() >= kKeptWidths) text_widths_.clear();
  text_widths_.emplace(key, width);
  return width;
}

double QtRuntime::TextHeight(double font_size) {
  auto it = text_heights_.find(font_size);
  if (it == text_heights_.end()) {
    const QFontMetricsF metrics(UiFont(font_size, false));
    it = text_heights_.emplace(font_size, PxToTwips(metrics.height())).first;
  }
  return it->second;
}

}  // namespace qtui
