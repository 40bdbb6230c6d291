// The operator of a test: answers message boxes, input boxes and file
// dialogs from a script, acts on modal windows when they open, and records
// every dialog shown. A dialog the script did not expect is a test failure.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class Form;
}

namespace testkit {

struct ShownDialog {
  std::string kind;    // "MsgBox", "InputBox", "FileDialog"
  std::string prompt;  // prompt (or the file dialog's title)
  std::string title;
  int buttons = 0;
  std::string answer;  // the answer given, as text ("1" for vbOK, a path ...)
  bool expected = true;
};

class ScriptedOperator {
 public:
  using FailureHandler = std::function<void(const std::string&)>;

  // Expectations are met in order. prompt: the exact prompt, or, when it
  // starts with "~", a part of it.
  ScriptedOperator& ExpectMsgBox(std::string prompt, int answer = 1 /*vbOK*/,
                                 std::string title = {});
  ScriptedOperator& ExpectInputBox(std::string prompt, std::string answer);
  ScriptedOperator& ExpectFileDialog(std::string answer);
  // Message boxes with this prompt are answered whenever they come, in any
  // number, without being expected in order.
  ScriptedOperator& AllowMsgBox(std::string prompt, int answer = 1);
  // When the named form is shown modally, `act` runs on it from the event
  // loop (once per expectation, in order).
  ScriptedOperator& OnModal(std::string form_name, std::function<void(ui::Form&)> act);

  // Called by the runtime.
  int AnswerMsgBox(std::string_view prompt, int buttons, std::string_view title);
  std::string AnswerInputBox(std::string_view prompt, std::string_view title);
  std::string AnswerFileDialog(std::string_view title);
  std::function<void(ui::Form&)> TakeModalAction(std::string_view form_name);

  const std::vector<ShownDialog>& Shown() const { return shown_; }
  // The prompts of every message box shown, in order.
  std::vector<std::string> MsgBoxPrompts() const;
  // Expectations not met yet, as readable lines.
  std::vector<std::string> Unmet() const;
  void SetFailureHandler(FailureHandler h) { on_failure_ = std::move(h); }
  void Fail(const std::string& what) const;

 private:
  struct Expectation {
    std::string kind, prompt, title, answer;
    int answer_code = 1;
  };
  struct ModalAction {
    std::string form;
    std::function<void(ui::Form&)> act;
  };
  static bool Matches(const std::string& pattern, std::string_view text);

  std::deque<Expectation> queue_;
  std::vector<Expectation> allowed_;
  std::deque<ModalAction> modal_;
  std::vector<ShownDialog> shown_;
  FailureHandler on_failure_;
};

}  // namespace testkit
