#include "qt/qt_convert.h"

#include "platform/cp1252.h"

namespace qtui {

QString MessageToQt(std::string_view text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const auto sequence = byte >= 0x80 ? platform::Utf8SequenceAt(text, i) : std::nullopt;
    if (!sequence) {
      out += QChar(byte);
      ++i;
      continue;
    }
    const char32_t cp = sequence->first;
    if (QChar::requiresSurrogates(cp)) {
      out += QChar(QChar::highSurrogate(cp));
      out += QChar(QChar::lowSurrogate(cp));
    } else {
      out += QChar(static_cast<char16_t>(cp));
    }
    i += sequence->second;
  }
  return out;
}

QColor ToQColor(ui::Color color, const QPalette& palette) {
  if (!IsSystemColor(color))
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
  switch (color) {
    case ui::kSystemWindow:
    case ui::kSystemCaptionText:  // white on the systems the program was made on
      return palette.color(QPalette::Base);
    case ui::kSystemWindowText: return palette.color(QPalette::Text);
    case ui::kSystemButtonText: return palette.color(QPalette::ButtonText);
    case ui::kSystemHighlight: return palette.color(QPalette::Highlight);
    case ui::kSystemActiveBorder: return palette.color(QPalette::Mid);
    case ui::kSystemButtonFace:
    default: return palette.color(QPalette::Button);
  }
}

int VbButtons(Qt::MouseButtons buttons) {
  int vb = 0;
  if (buttons & Qt::LeftButton) vb |= ui::vbLeftButton;
  if (buttons & Qt::RightButton) vb |= ui::vbRightButton;
  if (buttons & Qt::MiddleButton) vb |= ui::vbMiddleButton;
  return vb;
}

int VbShift(Qt::KeyboardModifiers modifiers) {
  int vb = 0;
  if (modifiers & Qt::ShiftModifier) vb |= 1;
  if (modifiers & Qt::ControlModifier) vb |= 2;
  if (modifiers & Qt::AltModifier) vb |= 4;
  return vb;
}

QString WithoutMnemonics(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
        out += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace qtui
