// The runtime of the real program: the forms' clock, event loop, timers,
// modal windows and operator dialogs on Qt's event loop, in real time. It
// also creates the view of each form (lazily, when the form is first
// shown) and removes it when the form unloads or is destroyed.
//
// Construct it after the QApplication and before any form; destroy the
// forms first. One runtime per program (tests make one per test).
#pragma once

#include <QPointer>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/runtime.h"

class QEventLoop;
class QTimer;
class QWidget;

namespace qtui {

class QtFormView;

class QtRuntime : public ui::Runtime {
 public:
  QtRuntime();
  QtRuntime(const QtRuntime&) = delete;
  QtRuntime& operator=(const QtRuntime&) = delete;
  ~QtRuntime() override;

  // Runs the application's event loop until Quit(); returns at once when
  // Quit() came before (the program ended while starting up). main() should
  // call this rather than QApplication::exec().
  int Exec();
  bool QuitRequested() const { return quit_requested_; }

  // The view of a form that has been shown (nullptr before), and its window.
  QtFormView* ViewOf(const ui::Form& form) const;
  QWidget* WindowOf(const ui::Form& form) const;

  // ui::Runtime
  vb::DateTime Now() override;
  std::int64_t SteadyMs() override;
  void DoEvents() override;
  void WaitEvents(vb::DateTime until) override;
  void WaitEventsSteady(std::int64_t until_ms) override;
  void ShowModal(ui::Form& form) override;
  std::string InputBox(std::string_view prompt, std::string_view title,
                       std::string_view default_text) override;
  std::string FileDialog(const ui::FileDialogRequest& request) override;
  void Beep() override;
  std::string PictureLoadProblem(const std::string& path) override;
  void SetMousePointer(int pointer) override;
  double TextWidth(std::string_view text, double font_size, bool bold) override;
  double TextHeight(double font_size) override;
  void TimerChanged(ui::Timer& timer) override;
  void TimerDestroyed(ui::Timer& timer) override;
  void FormCreated(ui::Form& form) override;
  void FormDestroyed(ui::Form& form) override;
  void FormVisibilityChanged(ui::Form& form) override;
  void Quit() override;

 protected:
  int ShowMsgBox(std::string_view prompt, int buttons, std::string_view title) override;

 private:
  struct ModalLoop {
    ui::Form* form;
    QEventLoop* loop;
    bool form_destroyed = false;
  };

  void WaitAtMost(std::int64_t wait_ms);
  QtFormView* EnsureView(ui::Form& form);
  void RetireView(ui::Form& form);
  void EndModalLoopsOf(ui::Form& form, bool destroyed);
  void FormActivated(ui::Form& form);
  QWidget* DialogParent() const;

  std::map<const ui::Form*, QPointer<QtFormView>> views_;
  std::map<const ui::Timer*, QTimer*> timers_;
  std::vector<ModalLoop*> modal_loops_;
  const ui::Form* active_form_ = nullptr;
  bool quit_requested_ = false;
  bool busy_cursor_ = false;
  // Widths already measured, by text, size and weight (the map measures
  // each of its labels again every second: ten thousand sites hold twenty
  // thousand labels), and line heights by size.
  std::unordered_map<std::string, double> text_widths_;
  std::map<double, double> text_heights_;
  std::string width_key_;  // reused: a look-up allocates nothing
};

}  // namespace qtui
