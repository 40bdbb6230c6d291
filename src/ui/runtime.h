// The runtime beneath the forms: the clock, yielding and waiting for events,
// modal windows, timers, and the operator dialogs (message boxes, input
// boxes, file dialogs). The Qt build runs on Qt's event loop in real time;
// tests run on virtual time with a scripted operator.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/vb_date.h"

namespace ui {

class Form;
class Timer;

// Buttons and icons of a message box, and its answers.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton2 = 256;

inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// Mouse pointers the program sets over its windows.
inline constexpr int vbDefault = 0;
inline constexpr int vbHourglass = 11;

// A common file dialog request.
struct FileDialogRequest {
  bool save = false;           // Save As instead of Open
  std::string title;
  std::string filter;          // "Bulk Dump Files|*.bdd|All Files|*.*"
  std::string initial_dir;
  std::string file_name;       // proposed file name
  int filter_index = 1;        // the filter chosen first (1-based)
};

class Runtime {
 public:
  virtual ~Runtime() = default;

  // Two clocks. Now() is the local date and time the operator reads (session
  // start, log dates, the unit's clock); it may be stepped (daylight saving,
  // a time sync). SteadyMs() only moves forward, at the pace of time, from an
  // arbitrary start: every deadline and wait is kept on it, so a stepped wall
  // clock neither stretches nor cuts one short.
  virtual vb::DateTime Now() = 0;
  virtual std::int64_t SteadyMs() = 0;
  // Runs whatever is due (timers, port data, window events) without waiting.
  virtual void DoEvents() = 0;
  // Waits until something is due or `until` is reached, then runs what is due.
  virtual void WaitEvents(vb::DateTime until) = 0;
  // The same with the deadline on the steady clock.
  virtual void WaitEventsSteady(std::int64_t until_ms) = 0;

  // Shows the form modally: returns when it is hidden or unloaded.
  virtual void ShowModal(Form& form) = 0;

  // Returns the button chosen (vbOK, vbYes, ...). A box whose prompt the
  // message taker takes is not shown: its default button is the answer.
  int MsgBox(std::string_view prompt, int buttons, std::string_view title);
  // Work that runs with nobody at the console must not stop at a message
  // box: while a taker is set, every prompt goes to it first, and a prompt
  // it takes (returns true for) is not shown. An empty taker shows them all.
  using MessageTaker = std::function<bool(std::string_view prompt)>;
  void SetMessageTaker(MessageTaker taker) { taker_ = std::move(taker); }
  // Returns the text entered, or "" when cancelled (as the original).
  virtual std::string InputBox(std::string_view prompt, std::string_view title,
                               std::string_view default_text) = 0;
  // Returns the chosen path, or "" when cancelled.
  virtual std::string FileDialog(const FileDialogRequest& request) = 0;
  virtual void Beep() = 0;
  // The pointer over every window of the program (vbDefault, vbHourglass)
  // while long work runs without yielding.
  virtual void SetMousePointer(int pointer) { (void)pointer; }

  // Why the picture file cannot be loaded whole by the views, "" when it
  // can (or when this runtime shows no pictures).
  virtual std::string PictureLoadProblem(const std::string& path) {
    (void)path;
    return {};
  }

  // Width and height of a text in twips in the given font size (points).
  virtual double TextWidth(std::string_view text, double font_size, bool bold) = 0;
  virtual double TextHeight(double font_size) = 0;

  // A timer's Enabled or Interval changed (or it is being destroyed, with
  // Running() false): the runtime (re)schedules it.
  virtual void TimerChanged(Timer& timer) = 0;
  virtual void TimerDestroyed(Timer& timer) = 0;
  // A form was created, shown, hidden or unloaded (views follow it).
  virtual void FormCreated(Form& form) = 0;
  virtual void FormDestroyed(Form& form) = 0;
  virtual void FormVisibilityChanged(Form& form) = 0;

  // Ends the program's event loop (the original's End after the main window
  // has unloaded).
  virtual void Quit() = 0;

 protected:
  // Shows the message box and waits for the operator's answer.
  virtual int ShowMsgBox(std::string_view prompt, int buttons, std::string_view title) = 0;

 private:
  MessageTaker taker_;
};

// The answers of a message box's buttons, left to right (vbOKOnly's one for
// a set of buttons it does not know).
std::span<const int> MsgBoxAnswers(int buttons);
// The answer of a message box's default button (vbDefaultButton2 and 3
// choose the second and third of its buttons).
int DefaultAnswer(int buttons);
// The answer when a message box is closed without a button: Cancel where it
// has one, else Abort, else its last button (No, or OK alone).
int EscapeAnswer(int buttons);

}  // namespace ui
