#include "ui/runtime.h"

#include <algorithm>
#include <array>

namespace ui {

int Runtime::MsgBox(std::string_view prompt, int buttons, std::string_view title) {
  if (taker_ && taker_(prompt)) return DefaultAnswer(buttons);
  return ShowMsgBox(prompt, buttons, title);
}

std::span<const int> MsgBoxAnswers(int buttons) {
  static constexpr std::array<int, 1> kOK = {vbOK};
  static constexpr std::array<int, 2> kOKCancel = {vbOK, vbCancel};
  static constexpr std::array<int, 3> kAbortRetryIgnore = {vbAbort, vbRetry, vbIgnore};
  static constexpr std::array<int, 3> kYesNoCancel = {vbYes, vbNo, vbCancel};
  static constexpr std::array<int, 2> kYesNo = {vbYes, vbNo};
  static constexpr std::array<int, 2> kRetryCancel = {vbRetry, vbCancel};
  switch (buttons & 0x0F) {
    case vbOKCancel: return kOKCancel;
    case vbAbortRetryIgnore: return kAbortRetryIgnore;
    case vbYesNoCancel: return kYesNoCancel;
    case vbYesNo: return kYesNo;
    case vbRetryCancel: return kRetryCancel;
    default: return kOK;
  }
}

// A default button beyond the box's buttons is its last one.
int DefaultAnswer(int buttons) {
  const std::span<const int> answers = MsgBoxAnswers(buttons);
  const auto button = static_cast<std::size_t>((buttons >> 8) & 3);
  if (button > 2) return vbOK;
  return answers[std::min(button, answers.size() - 1)];
}

int EscapeAnswer(int buttons) {
  const std::span<const int> answers = MsgBoxAnswers(buttons);
  for (const int answer : {vbCancel, vbAbort})
    if (std::find(answers.begin(), answers.end(), answer) != answers.end()) return answer;
  return answers.back();
}

}  // namespace ui
