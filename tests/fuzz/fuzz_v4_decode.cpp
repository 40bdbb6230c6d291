// Fuzzes the V4 packet decoder with any reply (one packet, and packets one
// after the other), and the writer and decoder
// together with any payload (the first two input bytes as the address).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/v4_packet.h"
#include "fuzz_support.h"
#include "crc32_of.h"

namespace {

using testkit::Crc32Of;
using testkit::Require;

// A good decode ends at a group boundary followed by a CR, with the content
// up to there closed by its CRC.
bool EndsAtAGoodGroup(std::string_view rx, const std::string& buf) {
  for (std::size_t groups = 1; groups <= lnk::kPacketBufSize / 7; ++groups) {
    if (groups * 8 < rx.size() && rx[groups * 8] == '\r' && Crc32Of(buf.substr(0, groups * 7)) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  std::string buf;
  const bool ok = lnk::DecodeV4Packet(input, buf);
  Require(buf.size() == lnk::kPacketBufSize);
  if (ok) Require(EndsAtAGoodGroup(input, buf));

  // The packets of a reply read one after the other: every content handed
  // on is whole groups of a good packet, and an accepted one is kept.
  std::string answer;
  std::size_t offered = 0;
  const auto match = lnk::FindV4Answer(
      input,
      [&offered](std::string_view content) {
        Require(!content.empty() && content.size() % 7 == 0 && Crc32Of(content) == 0);
        return ++offered == 2;
      },
      answer);
  Require((match == lnk::V4ReplyMatch::kAnswer) == (offered == 2));
  if (match == lnk::V4ReplyMatch::kAnswer) Require(answer.size() == lnk::kPacketBufSize);
  if (match == lnk::V4ReplyMatch::kOtherAnswers) Require(offered == 1);

  if (size < 2) return 0;
  const auto address = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
  const std::string_view payload = input.substr(2);
  std::string wire;
  lnk::SendV4Packet([&](std::string_view piece) { wire += piece; }, address, payload);
  Require(!wire.empty() && wire.back() == '\r' && (wire.size() - 1) % 8 == 0);
  for (std::size_t i = 0; i + 1 < wire.size(); ++i) Require(static_cast<std::uint8_t>(wire[i]) >= 0x80);

  const std::size_t content = (wire.size() - 1) / 8 * 7;
  const bool fits = content <= lnk::kPacketBufSize;
  Require(lnk::DecodeV4Packet(wire, buf) == fits);
  Require(buf.size() == lnk::kPacketBufSize);
  if (fits) {
    Require(buf.substr(0, 2) == input.substr(0, 2));
    Require(buf.substr(2, payload.size()) == payload);
  }
  return 0;
}
