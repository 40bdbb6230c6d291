#include "virtual_runtime.h"

#include <climits>

#include "ui/form.h"
#include "ui/timer.h"

namespace testkit {

namespace {
constexpr int kMaxEventsPerDoEvents = 100000;
}

VirtualRuntime::VirtualRuntime(vb::DateTime start)
    : start_(start), now_(start), limit_(start + 24LL * 3600 * 1000) {}

VirtualRuntime::~VirtualRuntime() = default;

void VirtualRuntime::AtSteady(std::int64_t steady_ms, std::function<void()> fn) {
  posted_.emplace(std::make_tuple(steady_ms, seq_++), std::move(fn));
}

void VirtualRuntime::SetTimeLimit(vb::DateTime limit, std::function<void()> hook) {
  limit_ = vb::DateTime{limit.ms - wall_offset_};
  limit_hook_ = std::move(hook);
  limit_reported_ = false;
}

bool VirtualRuntime::IsScheduled(const ui::Timer& t) const {
  return timers_.count(const_cast<ui::Timer*>(&t)) != 0;
}

vb::DateTime VirtualRuntime::DueTime(const ui::Timer& t) const {
  auto it = timers_.find(const_cast<ui::Timer*>(&t));
  return it == timers_.end() ? vb::DateTime{} : vb::DateTime{it->second + wall_offset_};
}

void VirtualRuntime::TimerChanged(ui::Timer& timer) {
  if (timer.Running())
    timers_[&timer] = now_.ms + timer.Interval();
  else
    timers_.erase(&timer);
}

void VirtualRuntime::TimerDestroyed(ui::Timer& timer) { timers_.erase(&timer); }

std::int64_t VirtualRuntime::NextDue() const {
  std::int64_t next = LLONG_MAX;
  if (!posted_.empty()) next = std::get<0>(posted_.begin()->first);
  for (const auto& [timer, due] : timers_)
    if (due < next) next = due;
  return next;
}

// Runs the earliest thing that is due now; false when nothing is.
bool VirtualRuntime::RunOneDue() {
  std::int64_t post_time = posted_.empty() ? LLONG_MAX : std::get<0>(posted_.begin()->first);
  ui::Timer* timer = nullptr;
  std::int64_t timer_due = LLONG_MAX;
  for (const auto& [t, due] : timers_)
    if (due < timer_due) {
      timer = t;
      timer_due = due;
    }
  if (post_time <= now_.ms && post_time <= timer_due) {
    auto node = posted_.extract(posted_.begin());
    node.mapped()();
    return true;
  }
  if (timer != nullptr && timer_due <= now_.ms) {
    // Periodic: the next tick one interval after this one, never in the past.
    std::int64_t next = timer_due + timer->Interval();
    if (next <= now_.ms) next = now_.ms + timer->Interval();
    timers_[timer] = next;
    timer->Fire();
    return true;
  }
  return false;
}

void VirtualRuntime::DoEvents() {
  for (int i = 0; i < kMaxEventsPerDoEvents; ++i)
    if (!RunOneDue()) return;
  operator_.Fail("DoEvents: events keep coming without time passing (an endless event loop)");
}

void VirtualRuntime::AdvanceTo(vb::DateTime t) {
  if (t <= now_) return;
  if (t > limit_) {
    if (!limit_reported_) {
      limit_reported_ = true;
      operator_.Fail("virtual time limit reached: the program did not stop in time");
      now_ = limit_;
      if (limit_hook_) {
        limit_hook_();
        return;
      }
    }
    if (t > limit_ + 60000) throw VirtualTimeLimit{};
  }
  now_ = t;
}

void VirtualRuntime::WaitEventsSteady(std::int64_t until_ms) {
  std::int64_t next = NextDue();
  if (next > now_.ms) {
    std::int64_t target = next < until_ms ? next : until_ms;
    if (target == LLONG_MAX) {
      operator_.Fail("WaitEvents without a deadline and with nothing scheduled");
      throw VirtualTimeLimit{};
    }
    AdvanceTo(vb::DateTime{target});
  }
  DoEvents();
}

bool VirtualRuntime::RunUntil(const std::function<bool()>& pred, std::int64_t max_ms) {
  vb::DateTime end = now_ + max_ms;
  while (!pred()) {
    if (now_ >= end) return false;
    WaitEventsSteady(end.ms);
  }
  return true;
}

void VirtualRuntime::RunFor(std::int64_t ms) {
  vb::DateTime end = now_ + ms;
  while (now_ < end) WaitEventsSteady(end.ms);
  DoEvents();
}

void VirtualRuntime::ShowModal(ui::Form& form) {
  if (auto act = operator_.TakeModalAction(form.Name())) {
    ui::Form* f = &form;
    AtSteady(now_.ms, [f, act = std::move(act)] { act(*f); });
  }
  while (form.Visible() && form.IsLoaded()) {
    if (NextDue() == LLONG_MAX) {
      operator_.Fail("modal window " + form.Name() + " is shown and nothing will close it");
      form.Hide();
      break;
    }
    WaitEventsSteady(LLONG_MAX / 2);
  }
}

int VirtualRuntime::ShowMsgBox(std::string_view prompt, int buttons, std::string_view title) {
  return operator_.AnswerMsgBox(prompt, buttons, title);
}

std::string VirtualRuntime::InputBox(std::string_view prompt, std::string_view title,
                                     std::string_view) {
  return operator_.AnswerInputBox(prompt, title);
}

std::string VirtualRuntime::FileDialog(const ui::FileDialogRequest& request) {
  return operator_.AnswerFileDialog(request.title);
}

double VirtualRuntime::TextWidth(std::string_view text, double font_size, bool bold) {
  // A fixed advance per character keeps layout tests stable.
  ++text_measures_;
  return static_cast<double>(text.size()) * font_size * (bold ? 12.0 : 11.0);
}

double VirtualRuntime::TextHeight(double font_size) { return font_size * 24.0; }

}  // namespace testkit
