// What a picture of a window shows, read from its pixels beside the
// window's widget tree: where a widget is seen, its colours, the ink of the
// texts the widgets show; and the checks every picture must pass.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "qt/form_view.h"
#include "qt/qt_convert.h"

namespace qttest {

// The largest difference of one colour channel.
inline int ColourDistance(QColor a, QColor b) {
  return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                   std::abs(a.blue() - b.blue())});
}

// A window's picture as saved, and where its widgets lie in it.
struct WindowShot {
  std::string name;
  QWidget* window = nullptr;
  QImage image;

  bool Taken() const { return window != nullptr && !image.isNull(); }

  // The part of the picture where `widget` is seen: what of it no other
  // widget covers, in picture pixels.
  QRegion RegionOf(const QWidget& widget) const {
    if (!Taken() || !widget.isVisibleTo(window)) return {};
    const QRegion seen = widget.visibleRegion().translated(widget.mapTo(window, QPoint(0, 0)));
    return Scaled(seen) & QRegion(image.rect());
  }

  // The picture pixel at x, y (twips) of the client area of the form `view`
  // shows.
  QPoint AtForm(const qtui::QtFormView& view, double x, double y) const {
    QWidget* surface = const_cast<qtui::QtFormView&>(view).SurfaceFor(nullptr);
    if (!Taken() || surface == nullptr) return {-1, -1};
    const QPoint at = surface->mapTo(window, QPoint(qtui::TwipsToPx(x), qtui::TwipsToPx(y)));
    return at * image.devicePixelRatio();
  }

  QColor Pixel(QPoint at) const {
    return image.rect().contains(at) ? image.pixelColor(at) : QColor();
  }

  // Pixels within `where` whose colour is within `tolerance` of `colour`.
  int CountNear(const QRegion& where, QColor colour, int tolerance = 40) const {
    int n = 0;
    for (const QRect& r : where)
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
          if (ColourDistance(image.pixelColor(x, y), colour) <= tolerance) ++n;
    return n;
  }

  // Pixels within `where` drawn in `ink` rather than on `paper`: nearer the
  // ink, and at least halfway there (a faint ink, as of a disabled caption,
  // counts too).
  int CountInk(const QRegion& where, QColor ink, QColor paper) const {
    const int least = std::max(16, ColourDistance(ink, paper) / 2);
    int n = 0;
    for (const QRect& r : where)
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
          const QColor p = image.pixelColor(x, y);
          if (ColourDistance(p, paper) >= least && ColourDistance(p, ink) < ColourDistance(p, paper))
            ++n;
        }
    return n;
  }

 private:
  QRegion Scaled(const QRegion& region) const {
    const qreal ratio = image.devicePixelRatio();
    if (ratio == 1) return region;
    QRegion scaled;
    for (const QRect& r : region)
      scaled += QRect((r.topLeft() * ratio), (r.size() * ratio));
    return scaled;
  }
};

// The text a widget shows, as the operator reads it ("" for none).
inline QString ShownText(const QWidget& widget) {
  QString text;
  if (auto* label = qobject_cast<const QLabel*>(&widget)) text = label->text();
  else if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) text = button->text();
  else if (auto* edit = qobject_cast<const QLineEdit*>(&widget);
           edit != nullptr && edit->echoMode() == QLineEdit::Normal)
    text = edit->text();
  return qtui::WithoutMnemonics(text).trimmed();
}

// Pixels of the widget's text drawn where the widget is seen.
inline int InkOfText(const WindowShot& shot, const QWidget& widget) {
  const QPalette::ColorGroup group = widget.isEnabled() ? QPalette::Active : QPalette::Disabled;
  return shot.CountInk(shot.RegionOf(widget), widget.palette().color(group, widget.foregroundRole()),
                       widget.palette().color(group, widget.backgroundRole()));
}

// What every picture must show: more than one colour over its area (a
// blank window is one), not black all over, and the texts of its widgets
// where they are seen.
inline void ExpectPictureShowsItsWindow(const WindowShot& shot) {
  const QImage& image = shot.image;
  QHash<QRgb, int> counts;
  int black = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor p = image.pixelColor(x, y);
      ++counts[p.rgb()];
      if (ColourDistance(p, Qt::black) <= 32) ++black;
    }
  const double area = std::max(1.0, 1.0 * image.width() * image.height());
  int most = 0;
  for (int n : counts) most = std::max(most, n);
  EXPECT_LT(most / area, 0.98) << shot.name << ": a blank picture";
  EXPECT_GE(counts.size(), 16) << shot.name << ": a blank picture";
  EXPECT_LT(black / area, 0.6) << shot.name << ": a black picture";
  for (QWidget* widget : shot.window->findChildren<QWidget*>()) {
    const QString text = ShownText(*widget);
    if (text.isEmpty() || shot.RegionOf(*widget).isEmpty()) continue;
    EXPECT_GE(InkOfText(shot, *widget), 2)  // (the smallest caption, "'", draws three)
        << shot.name << ": \"" << text.toStdString() << "\" of " << widget->objectName().toStdString()
        << " is not drawn";
  }
}

// The widget of the window in sight in the picture that shows `text` (its
// access-key marker left out); nullptr when none does.
inline const QWidget* WidgetShowing(const WindowShot& shot, const std::string& text) {
  if (!shot.Taken()) return nullptr;
  const QString wanted = qtui::WithoutMnemonics(qtui::ToQt(text));
  for (QWidget* widget : shot.window->findChildren<QWidget*>())
    if (ShownText(*widget) == wanted && !shot.RegionOf(*widget).isEmpty()) return widget;
  return nullptr;
}

// A widget in sight shows `text`, and its ink is in the picture there.
inline void ExpectTextShown(const WindowShot& shot, const std::string& text) {
  const QWidget* widget = WidgetShowing(shot, text);
  ASSERT_NE(widget, nullptr) << shot.name << ": nothing in sight shows \"" << text << "\"";
  EXPECT_GE(InkOfText(shot, *widget), 3) << shot.name << ": \"" << text << "\" is not drawn";
}

}  // namespace qttest
