// Pixmaps of the pictures that image controls, picture boxes, buttons and
// toolbar buttons show: a bitmap file is loaded; a named picture (lamps,
// toolbar images) is drawn. An unknown name or an unreadable file gives a
// neutral placeholder.
#pragma once

#include <QPixmap>
#include <string>
#include <string_view>

#include "ui/picture.h"

namespace qtui {

// size_px: edge length of a named picture (0: its natural size); ignored for
// files, which keep their own size.
QPixmap PicturePixmap(const ui::Picture& picture, int size_px = 0);
QPixmap NamedPicturePixmap(std::string_view name, int size_px = 0);

// Loads a bitmap file as PicturePixmap does (and keeps it for it): "" when
// it loads whole, else the reason the image library gives.
std::string PictureFileLoadError(const std::string& file);

bool IsKnownPictureName(std::string_view name);
// Edge length (pixels) a named picture is drawn at when no size is asked for.
int NaturalPictureSize(std::string_view name);

}  // namespace qtui
