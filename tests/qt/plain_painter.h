// A plain painter for the tests: every operation of a display list painted
// from scratch, texts shaped and drawn with drawText, the surface's colour
// first. What a view shows must equal it pixel for pixel, however the view
// keeps and repaints its picture.
#pragma once

#include <QImage>
#include <QPalette>
#include <QSize>

#include "ui/display_list.h"
#include "ui/picture.h"

namespace qttest {

QImage PaintAfresh(const ui::DisplayList& list, QSize size, ui::Color back_color,
                   const QPalette& palette);

}  // namespace qttest
