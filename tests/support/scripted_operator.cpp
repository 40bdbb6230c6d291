#include "scripted_operator.h"

#include <cstdio>
#include <cstdlib>

#include "ui/runtime.h"

namespace testkit {

ScriptedOperator& ScriptedOperator::ExpectMsgBox(std::string prompt, int answer,
                                                 std::string title) {
  queue_.push_back(Expectation{"MsgBox", std::move(prompt), std::move(title), {}, answer});
  return *this;
}

ScriptedOperator& ScriptedOperator::ExpectInputBox(std::string prompt, std::string answer) {
  queue_.push_back(Expectation{"InputBox", std::move(prompt), {}, std::move(answer), 0});
  return *this;
}

ScriptedOperator& ScriptedOperator::ExpectFileDialog(std::string answer) {
  queue_.push_back(Expectation{"FileDialog", "~", {}, std::move(answer), 0});
  return *this;
}

ScriptedOperator& ScriptedOperator::AllowMsgBox(std::string prompt, int answer) {
  allowed_.push_back(Expectation{"MsgBox", std::move(prompt), {}, {}, answer});
  return *this;
}

ScriptedOperator& ScriptedOperator::OnModal(std::string form_name,
                                            std::function<void(ui::Form&)> act) {
  modal_.push_back(ModalAction{std::move(form_name), std::move(act)});
  return *this;
}

bool ScriptedOperator::Matches(const std::string& pattern, std::string_view text) {
  if (!pattern.empty() && pattern[0] == '~')
    return text.find(std::string_view(pattern).substr(1)) != std::string_view::npos;
  return pattern == text;
}

void ScriptedOperator::Fail(const std::string& what) const {
  if (on_failure_) {
    on_failure_(what);
  } else {
    std::fprintf(stderr, "scripted operator: %s\n", what.c_str());
    std::abort();
  }
}

int ScriptedOperator::AnswerMsgBox(std::string_view prompt, int buttons, std::string_view title) {
  ShownDialog d{"MsgBox", std::string(prompt), std::string(title), buttons, {}, true};
  int answer = 0;
  if (!queue_.empty() && queue_.front().kind == "MsgBox" &&
      Matches(queue_.front().prompt, prompt) &&
      (queue_.front().title.empty() || queue_.front().title == title)) {
    answer = queue_.front().answer_code;
    queue_.pop_front();
  } else {
    bool found = false;
    for (const auto& a : allowed_)
      if (Matches(a.prompt, prompt)) {
        answer = a.answer_code;
        found = true;
        break;
      }
    if (!found) {
      d.expected = false;
      std::string next = queue_.empty() ? std::string("nothing")
                                        : queue_.front().kind + " \"" + queue_.front().prompt + "\"";
      Fail("unexpected message box \"" + std::string(prompt) + "\" titled \"" +
           std::string(title) + "\" (expected " + next + ")");
      int kind = buttons & 7;
      answer = (kind == ui::vbYesNo || kind == ui::vbYesNoCancel) ? ui::vbNo
               : kind == ui::vbOKOnly                             ? ui::vbOK
                                                                  : ui::vbCancel;
    }
  }
  d.answer = std::to_string(answer);
  shown_.push_back(std::move(d));
  return answer;
}

std::string ScriptedOperator::AnswerInputBox(std::string_view prompt, std::string_view title) {
  ShownDialog d{"InputBox", std::string(prompt), std::string(title), 0, {}, true};
  if (!queue_.empty() && queue_.front().kind == "InputBox" &&
      Matches(queue_.front().prompt, prompt)) {
    d.answer = queue_.front().answer;
    queue_.pop_front();
  } else {
    d.expected = false;
    Fail("unexpected input box \"" + std::string(prompt) + "\"");
  }
  shown_.push_back(d);
  return d.answer;
}

std::string ScriptedOperator::AnswerFileDialog(std::string_view title) {
  ShownDialog d{"FileDialog", std::string(title), std::string(title), 0, {}, true};
  if (!queue_.empty() && queue_.front().kind == "FileDialog") {
    d.answer = queue_.front().answer;
    queue_.pop_front();
  } else {
    d.expected = false;
    Fail("unexpected file dialog \"" + std::string(title) + "\"");
  }
  shown_.push_back(d);
  return d.answer;
}

std::function<void(ui::Form&)> ScriptedOperator::TakeModalAction(std::string_view form_name) {
  if (modal_.empty() || modal_.front().form != form_name) return {};
  auto act = std::move(modal_.front().act);
  modal_.pop_front();
  return act;
}

std::vector<std::string> ScriptedOperator::MsgBoxPrompts() const {
  std::vector<std::string> out;
  for (const auto& d : shown_)
    if (d.kind == "MsgBox") out.push_back(d.prompt);
  return out;
}

std::vector<std::string> ScriptedOperator::Unmet() const {
  std::vector<std::string> out;
  for (const auto& e : queue_) out.push_back(e.kind + " \"" + e.prompt + "\"");
  for (const auto& m : modal_) out.push_back("modal " + m.form);
  return out;
}

}  // namespace testkit
