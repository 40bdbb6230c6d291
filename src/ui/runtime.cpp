#include "ui/runtime.h"

#include <array>

namespace ui {

int Runtime::MsgBox(std::string_view prompt, int buttons, std::string_view title) {
  if (taker_ && taker_(prompt)) return DefaultAnswer(buttons);
  return ShowMsgBox(prompt, buttons, title);
}

int DefaultAnswer(int buttons) {
  static constexpr std::array<std::array<int, 3>, 6> kAnswers = {{
      {vbOK, vbOK, vbOK},
      {vbOK, vbCancel, vbCancel},
      {vbAbort, vbRetry, vbIgnore},
      {vbYes, vbNo, vbCancel},
      {vbYes, vbNo, vbNo},
      {vbRetry, vbCancel, vbCancel},
  }};
  const int kind = buttons & 7;
  const int button = (buttons >> 8) & 3;
  if (kind >= static_cast<int>(kAnswers.size()) || button > 2) return vbOK;
  return kAnswers[static_cast<size_t>(kind)][static_cast<size_t>(button)];
}

}  // namespace ui
