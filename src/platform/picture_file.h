// The pixel size of a picture file, read from its header, for windows that
// place things against a picture's size without painting it themselves:
// Windows bitmaps (.bmp) and PNG files. The view paints the file itself.
#pragma once

#include <cstdint>
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
// Nor those whose pixels, four bytes each as the view holds them, need more
// memory than this: the image library refuses to load them.
inline constexpr std::int64_t kMaxPictureBytes = std::int64_t{128} * 1024 * 1024;

// The size given by the first bytes of a file; nothing for any other kind of
// file, a header cut short, or a size of 0 or beyond kMaxPictureSide.
std::optional<PictureSize> PictureSizeFromHeader(std::string_view bytes);
// The same for the file at path; nothing when it cannot be read.
std::optional<PictureSize> ReadPictureSize(const std::string& path);

// Whether a picture file can be loaded whole: its size, or why not in plain
// words (not a picture, a size out of range, too large to hold, cut short).
// Only what the header and the file's length tell; the view's own loading
// may still find the pixels bad.
struct PictureCheck {
  std::optional<PictureSize> size;
  std::string problem;  // "" when the file can be loaded
};
PictureCheck CheckPictureFile(const std::string& path);
// The same for the whole content of a file.
PictureCheck CheckPictureBytes(std::string_view bytes);

}  // namespace platform
