// Paints what a picture box or a form has drawn on itself (its display list,
// in twips) with a QPainter in pixels.
#pragma once

#include <QPainter>
#include <QPalette>

#include "ui/display_list.h"

namespace qtui {

void PaintDisplayList(QPainter& painter, const ui::DisplayList& list, const QPalette& palette);

}  // namespace qtui
