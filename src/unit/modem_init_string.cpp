#include "unit/modem_init_string.h"

namespace unit {

namespace {
constexpr std::size_t kBulkImageLength = 700;
// Address a sits at 1-based position a + 3 of the image: index a + 2.
constexpr std::size_t kBulkRegionIndex = kModemInitBulkStart + 2;
}  // namespace

int ModemInitTextAddress(bool gen_batt_safe_maint, std::int32_t firmware_version) {
  return gen_batt_safe_maint || firmware_version >= 32116 ? 228 : 227;
}

std::string ModemInitTextBytes(std::string_view text, int address) {
  const int room = kModemInitRegionEnd + 1 - address;
  if (room <= 0) return {};
  std::string bytes(text.substr(0, static_cast<std::size_t>(room)));
  bytes.resize(static_cast<std::size_t>(room), '\0');
  return bytes;
}

std::string ModemInitBulkImage(std::string_view text) {
  std::string image(kBulkImageLength, '+');
  image.replace(kBulkRegionIndex, kModemInitBulkLength, kModemInitBulkLength, '\0');
  const std::string_view part = text.substr(0, kModemInitBulkLength);
  image.replace(kBulkRegionIndex, part.size(), part);
  return image;
}

}  // namespace unit
