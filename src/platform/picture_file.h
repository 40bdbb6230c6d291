// The pixel size of a picture file, read from its header, for windows that
// place things against a picture's size without painting it themselves:
// Windows bitmaps (.bmp) and PNG files. The view paints the file itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// Pictures larger than this on either side are not taken.
inline constexpr int kMaxPictureSide = 32768;

// The size given by the first bytes of a file; nothing for any other kind of
// file, a header cut short, or a size of 0 or beyond kMaxPictureSide.
std::optional<PictureSize> PictureSizeFromHeader(std::string_view bytes);
// The same for the file at path; nothing when it cannot be read.
std::optional<PictureSize> ReadPictureSize(const std::string& path);

}  // namespace platform
