// The CRC-32 register after a run of bytes, fed through the link's own
// update step: 0 when the bytes end in their own matching CRC.
#pragma once

#include <cstdint>
#include <string_view>

#include "link/v4_packet.h"

namespace testkit {

inline std::uint32_t Crc32Of(std::string_view bytes) {
  std::uint32_t crc = lnk::kCrc32Preset;
  for (const char c : bytes) lnk::Crc32Update(crc, static_cast<std::uint8_t>(c));
  return crc;
}

}  // namespace testkit
