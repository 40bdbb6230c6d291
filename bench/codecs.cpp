// Throughput of the link codecs on the replies they meet most: a full V4 dump
// reply (decode, then the two status lines) and a CRC-16 checked status line,
// each against a plain copy of the same bytes as the floor.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "link/crc16_line.h"
#include "link/v4_packet.h"
#include "link/v4_status_packet.h"

namespace {

constexpr std::uint16_t kParamBytes = 275;
constexpr std::int32_t kFirmware = 32116;

// A dump reply that fills the decode buffer: 275 parameters, a status block
// and filler, 350 bytes in 50 groups, 401 characters on the wire.
std::string FullDumpReply() {
  std::string payload;
  for (int a = 0; a < kParamBytes; ++a) payload += static_cast<char>(a * 7);
  const unsigned char status[] = {6, 5, 12, 3, 13, 4, 9, 0, 0x05, 0x2C, 0, 123, 0, 45, 0xFF, 0xFB,
                                  0, 30, 248, 32, 0, 0, 1, 0, 2, 1, 0, 0, 0, 0x13, 0x88,
                                  0, 0, 1, 0, 0, 0, 0, 0, 0, 7};
  payload.append(reinterpret_cast<const char*>(status), sizeof status);
  payload.resize(344, '\0');
  std::string wire;
  lnk::SendV4Packet([&](std::string_view piece) { wire += piece; }, kParamBytes, payload);
  return wire;
}

// A status line as a unit sends it, closed by its check digits.
std::string CheckedStatusLine() {
  const std::string text = "U 06/05/12 00 13:04:09 3 1324 123 45 -5 30 248 32 0 ";
  lnk::Crc16Register reg;
  for (const char c : text) lnk::Crc16Update(reg, static_cast<std::uint8_t>(c));
  static const char kHex[] = "0123456789ABCDEF";
  return text + kHex[reg.Crc16Lo >> 4] + kHex[reg.Crc16Lo & 15] + kHex[reg.Crc16Hi >> 4] +
         kHex[reg.Crc16Hi & 15];
}

void BM_CopyDumpReply(benchmark::State& state) {
  const std::string wire = FullDumpReply();
  std::vector<char> out(wire.size());
  for (auto _ : state) {
    std::memcpy(out.data(), wire.data(), wire.size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * wire.size()));
}
BENCHMARK(BM_CopyDumpReply);

void BM_DecodeDumpReply(benchmark::State& state) {
  const std::string wire = FullDumpReply();
  std::string buf;
  for (auto _ : state) {
    if (!lnk::DecodeV4Packet(wire, buf)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(buf.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * wire.size()));
}
BENCHMARK(BM_DecodeDumpReply);

void BM_DecodeDumpReplyAndStatusLines(benchmark::State& state) {
  const std::string wire = FullDumpReply();
  std::string buf;
  for (auto _ : state) {
    if (!lnk::DecodeV4Packet(wire, buf)) state.SkipWithError("decode failed");
    std::string u = lnk::BuildV4StatusULine(buf, kFirmware);
    std::string v = lnk::BuildV4StatusVLine(buf, kFirmware);
    benchmark::DoNotOptimize(u.data());
    benchmark::DoNotOptimize(v.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * wire.size()));
}
BENCHMARK(BM_DecodeDumpReplyAndStatusLines);

void BM_CopyStatusLine(benchmark::State& state) {
  const std::string line = CheckedStatusLine();
  std::vector<char> out(line.size());
  for (auto _ : state) {
    std::memcpy(out.data(), line.data(), line.size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_CopyStatusLine);

// The check strips the line, so each round starts from a fresh copy.
void BM_CheckLineCrc16(benchmark::State& state) {
  const std::string line = CheckedStatusLine();
  std::string check_line;
  check_line.reserve(line.size());
  for (auto _ : state) {
    check_line.assign(line);
    if (!lnk::CheckLineCrc16(check_line)) state.SkipWithError("check failed");
    benchmark::DoNotOptimize(check_line.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_CheckLineCrc16);

}  // namespace

BENCHMARK_MAIN();
