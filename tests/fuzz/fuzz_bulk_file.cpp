// Unit memory written back from a file: a bulk dump (only its first 300
// bytes count, a shorter file is refused) and the saved dump text that a
// text-mode factory initialisation writes from address 0 (one byte per
// address of the text's pairs, never more than the text holds).
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/status_file.h"
#include "fuzz_support.h"

using testkit::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto image = app::ReadBulkImage(bytes);
  Require(image.has_value() == (size >= app::kBulkImageBytes));
  if (image) Require(*image == bytes.substr(0, app::kBulkImageBytes));

  const std::string written = app::FactoryInitBytes(bytes);
  Require(written.size() <= 301);
  Require(written.size() <= size / 2);  // every byte comes from a label and a value
  return 0;
}
