#include "platform/picture_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

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
// The header with a bitmap's bit count, compression and stored size.
constexpr std::size_t kCheckedHeaderBytes = 38;
// The last chunk of every PNG file: length 0, "IEND", its CRC.
constexpr std::string_view kPngEnd{"\0\0\0\0IEND\xAE\x42\x60\x82", 12};

// Where a bitmap's pixels end in the file: from its pixel offset, the rows
// of an uncompressed one (each padded to four bytes), or the stored size of
// a compressed one's data; nothing when the header does not give it.
std::optional<std::int64_t> BitmapPixelEnd(std::string_view b, const PictureSize& size) {
  const std::uint32_t header = Le32(b, 14);
  std::uint32_t bits = 0;
  if (header == 12) {
    bits = Le16(b, 24);
  } else {
    if (b.size() < kCheckedHeaderBytes) return std::nullopt;
    const std::uint32_t compression = Le32(b, 30);
    if (compression != 0 && compression != 3) {  // RLE, or JPEG or PNG inside
      const std::uint32_t stored = Le32(b, 34);
      if (stored == 0) return std::nullopt;
      return static_cast<std::int64_t>(Le32(b, 10)) + stored;
    }
    bits = Le16(b, 28);
  }
  if (bits == 0 || bits > 32) return std::nullopt;
  const std::int64_t stride = (static_cast<std::int64_t>(size.width) * bits + 31) / 32 * 4;
  return static_cast<std::int64_t>(Le32(b, 10)) + stride * size.height;
}

}  // namespace

std::optional<PictureSize> PictureSizeFromHeader(std::string_view bytes) {
  if (bytes.substr(0, 2) == "BM") return BitmapSize(bytes);
  if (bytes.substr(0, kPngSignature.size()) == kPngSignature) return PngSize(bytes);
  return std::nullopt;
}

namespace {

// From the first bytes of a file, its length and its last twelve bytes.
PictureCheck Check(std::string_view head, std::int64_t length, std::string_view tail) {
  PictureCheck check;
  const bool bitmap = head.substr(0, 2) == "BM";
  const bool png = head.substr(0, kPngSignature.size()) == kPngSignature;
  if (!bitmap && !png) {
    check.problem = "it is not a bitmap or PNG picture";
    return check;
  }
  const auto size = PictureSizeFromHeader(head);
  if (!size) {
    check.problem = "its header gives no valid picture size";
    return check;
  }
  const std::int64_t needed = std::int64_t{4} * size->width * size->height;
  if (needed > kMaxPictureBytes) {
    check.problem = "its " + std::to_string(size->width) + " x " + std::to_string(size->height) +
                    " pixels need more than " + std::to_string(kMaxPictureBytes >> 20) +
                    " MB of memory";
    return check;
  }
  const auto end = bitmap ? BitmapPixelEnd(head, *size) : std::nullopt;
  if ((end && length < *end) || (png && tail != kPngEnd)) {
    check.problem = "the file ends before its picture does";
    return check;
  }
  check.size = size;
  return check;
}

}  // namespace

PictureCheck CheckPictureBytes(std::string_view bytes) {
  const std::size_t tail = std::min(bytes.size(), kPngEnd.size());
  return Check(bytes.substr(0, kCheckedHeaderBytes), static_cast<std::int64_t>(bytes.size()),
               bytes.substr(bytes.size() - tail));
}

// Reads only the header and the end: a picture too large to hold is not
// read whole to find that out.
PictureCheck CheckPictureFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string head(kCheckedHeaderBytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  in.clear();
  in.seekg(0, std::ios::end);
  const std::int64_t length = in ? static_cast<std::int64_t>(in.tellg()) : -1;
  std::string tail(kPngEnd.size(), '\0');
  if (length >= static_cast<std::int64_t>(tail.size())) {
    in.seekg(length - static_cast<std::int64_t>(tail.size()));
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
  } else {
    tail.clear();
  }
  if (!in || length < 0) {
    PictureCheck check;
    check.problem = "the file cannot be read";
    return check;
  }
  return Check(head, length, tail);
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
