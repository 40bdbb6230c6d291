#include "platform/picture_file.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>

namespace platform {

namespace {

std::uint32_t Byte(std::string_view b, std::size_t i) { return static_cast<unsigned char>(b[i]); }
std::uint32_t Le16(std::string_view b, std::size_t i) { return Byte(b, i) | Byte(b, i + 1) << 8; }
std::uint32_t Le32(std::string_view b, std::size_t i) { return Le16(b, i) | Le16(b, i + 2) << 16; }
std::uint32_t Be32(std::string_view b, std::size_t i) {
  return Byte(b, i) << 24 | Byte(b, i + 1) << 16 | Byte(b, i + 2) << 8 | Byte(b, i + 3);
}

std::optional<PictureSize> Checked(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
    return std::nullopt;
  return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

// BITMAPFILEHEADER (14 bytes), then an OS/2 core header of 12 bytes (16-bit
// sizes) or an info header of 40 bytes or more (32-bit sizes; a negative
// height is a picture stored top-down).
std::optional<PictureSize> BitmapSize(std::string_view b) {
  if (b.size() < 26) return std::nullopt;
  const std::uint32_t header = Le32(b, 14);
  if (header == 12) return Checked(Le16(b, 18), Le16(b, 20));
  if (header < 40) return std::nullopt;
  const auto width = static_cast<std::int32_t>(Le32(b, 18));
  const auto height = static_cast<std::int32_t>(Le32(b, 22));
  return Checked(width, std::llabs(static_cast<long long>(height)));
}

// The signature, then the IHDR chunk: length, "IHDR", width, height.
std::optional<PictureSize> PngSize(std::string_view b) {
  if (b.size() < 24 || b.substr(12, 4) != "IHDR") return std::nullopt;
  return Checked(Be32(b, 16), Be32(b, 20));
}

constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};
constexpr std::size_t kHeaderBytes = 32;

}  // namespace

std::optional<PictureSize> PictureSizeFromHeader(std::string_view bytes) {
  if (bytes.substr(0, 2) == "BM") return BitmapSize(bytes);
  if (bytes.substr(0, kPngSignature.size()) == kPngSignature) return PngSize(bytes);
  return std::nullopt;
}

std::optional<PictureSize> ReadPictureSize(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string header(kHeaderBytes, '\0');
  in.read(header.data(), static_cast<std::streamsize>(header.size()));
  header.resize(static_cast<std::size_t>(in.gcount()));
  return PictureSizeFromHeader(header);
}

}  // namespace platform
