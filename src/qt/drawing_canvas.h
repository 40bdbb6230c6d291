// The picture of a surface that draws on itself (a form's client area): its
// background and its display list, kept in an image of the widget's size.
// The image is brought up to date by repainting only the areas the list
// reports changed, each from the last operation that hides all of it (or,
// for a dot reached by the same operations as at an earlier repaint, with
// the pixels it got then), and the widget's paint copies from the image: a
// map on which a few icons blink costs what those icons cost, not what the
// whole map costs.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <vector>

#include "qt/display_list_painter.h"
#include "qt/op_index.h"
#include "qt/shape_memo.h"
#include "ui/display_list.h"

namespace qtui {

class DrawingCanvas {
 public:
  // Paints what lies beneath the drawing (the surface's colour and picture).
  using Background = std::function<void(QPainter&)>;
  DrawingCanvas(QWidget& widget, Background background);
  ~DrawingCanvas();
  DrawingCanvas(const DrawingCanvas&) = delete;
  DrawingCanvas& operator=(const DrawingCanvas&) = delete;

  // What the drawing changed: the widget is told to repaint there.
  void Changed(const ui::DisplayList::Changes& changes);
  // The background changed: everything is painted anew.
  void ChangedEverywhere();
  // Paints the part of the widget that the painter clips to.
  void Paint(QPainter& painter, const ui::DisplayList& list);

  // How much of the image has been painted again since it was made, for
  // tests and measurements: whole, and in changed pixels (of which copied as
  // painted before) and operations; and how many runs of the list were
  // indexed again to find them.
  struct Repaints {
    int whole = 0;
    long long pixels = 0;
    long long remembered = 0;
    long long operations = 0;
    long long runs_indexed = 0;
  };
  Repaints Repainted() const {
    Repaints r = repainted_;
    r.runs_indexed = index_.RunsIndexed();
    return r;
  }

 private:
  void RenderAll(const ui::DisplayList& list);
  void RenderChanges(const ui::DisplayList& list);
  void CopyShape(const PixelShape& shape, const QRect& box);
  void KeyOf(const std::vector<OpIndex::Ref>& reaching);
  bool Stale() const;

  QWidget& widget_;
  Background background_;
  QImage image_;
  QImage scratch_;  // where changed shapes are painted before they are copied
  qint64 palette_key_ = 0;
  bool stale_ = true;
  std::vector<PixelShape> changed_;  // not yet repainted into the image
  Repaints repainted_;
  OpIndex index_;  // kept between repaints
  ShapeMemo memo_;
  ShapeMemo::Key key_;  // of the shape being repainted
};

}  // namespace qtui
