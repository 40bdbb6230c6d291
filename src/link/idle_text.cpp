#include "link/idle_text.h"

#include <algorithm>
#include <string>

#include "app/console.h"
#include "sites/alarm_report.h"

namespace lnk {

namespace {

constexpr std::string_view kReportWords = "Alarm Report";
constexpr std::string_view kCallEnd = "NO CARRIER";

char UpperAscii(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }

// Where the upper-case words stand in text at or after `from`, in any case.
std::size_t FindAnyCase(std::string_view text, std::string_view words, std::size_t from) {
  const auto at = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                              words.begin(), words.end(),
                              [](char a, char b) { return UpperAscii(a) == b; });
  return at == text.end() ? std::string::npos : static_cast<std::size_t>(at - text.begin());
}

// Where a search for `words` resumes when the text up to `searched` was
// searched before: a few bytes back, since the words may span two pieces.
std::size_t ResumeAt(std::size_t searched, std::string_view words) {
  return searched >= words.size() ? searched - (words.size() - 1) : 0;
}

// Keeps only the end of text that may still begin the words.
void KeepTail(std::string& text) {
  const std::size_t tail = kReportWords.size() - 1;
  if (text.size() > tail) text.erase(0, text.size() - tail);
}

}  // namespace

void TakeIdleText(app::Console& c, std::string_view piece) {
  std::string& rx = c.st.RxText;
  while (!piece.empty()) {
    // A piece of any size is taken in steps, so RxText never holds more than
    // a step beyond its bound.
    const std::string_view step = piece.substr(0, kLongestCallIn);
    piece.remove_prefix(step.size());
    std::size_t searched = rx.size();
    rx.append(step);
    for (;;) {
      if (!rx.starts_with(kReportWords)) {
        const std::size_t report = rx.find(kReportWords, ResumeAt(searched, kReportWords));
        if (report == std::string::npos) {
          KeepTail(rx);
          break;
        }
        rx.erase(0, report);
        searched = searched > report ? searched - report : 0;
      }
      const std::size_t end =
          FindAnyCase(rx, kCallEnd, std::max(kReportWords.size(), ResumeAt(searched, kCallEnd)));
      if (end == std::string::npos) {
        if (rx.size() > kLongestCallIn) {
          // The call's end never came: its oldest reports go, down to half the
          // bound, so the next steps do not trim again at once.
          const std::size_t report = rx.find(kReportWords, rx.size() - kLongestCallIn / 2);
          if (report == std::string::npos)
            KeepTail(rx);
          else
            rx.erase(0, report);
        }
        break;
      }
      // The call ended: its reports go in; what came after it is the next call's.
      std::string after = rx.substr(end + kCallEnd.size());
      rx.resize(end + kCallEnd.size());
      sites::ProcessAlarmReport(c);
      rx = std::move(after);
      searched = 0;
    }
  }
}

}  // namespace lnk
