// Conversions between the models' world (8-bit Latin-1 text, paths as the
// file system's own bytes, twips, colours as 0x00BBGGRR or system colour
// codes) and Qt's.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QPalette>
#include <QRect>
#include <QString>
#include <cmath>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace qtui {

// Twips per pixel at the 96 dpi the forms were laid out for.
inline constexpr int kTwipsPerPixel = 15;

inline QString ToQt(std::string_view latin1) {
  return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

inline std::string FromQt(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// A path or file name keeps the file system's own bytes: Latin-1 would turn
// "é" into another file and every letter beyond it into "?".
inline QString PathToQt(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

inline std::string PathFromQt(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The text of a message, which may name a path among the program's 8-bit
// text: a well-formed UTF-8 sequence (a path's non-ASCII letters) shows as
// its letter, every other byte as ToQt shows it.
QString MessageToQt(std::string_view text);

inline int TwipsToPx(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline double PxToTwips(double px) { return px * kTwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPx(left), TwipsToPx(top), TwipsToPx(width), TwipsToPx(height));
}

inline bool IsSystemColor(ui::Color color) { return (color & 0x80000000u) != 0; }

// A model colour as a Qt colour; system colours come from the palette.
QColor ToQColor(ui::Color color, const QPalette& palette);

// Mouse buttons and shift state as the original's mouse events pass them
// (buttons 1 left, 2 right, 4 middle; shift 1, ctrl 2, alt 4).
int VbButtons(Qt::MouseButtons buttons);
int VbShift(Qt::KeyboardModifiers modifiers);

// A caption without its "&" access-key markers ("&&" stays one "&").
QString WithoutMnemonics(const QString& caption);

}  // namespace qtui
