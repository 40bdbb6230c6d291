// The unit's parameter memory: one byte per address, 0 to 300, with the
// values a unit leaves its factory with, scaled to its system voltage.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "unit_config.h"

namespace sim {

inline constexpr int kMemorySize = 301;
using Memory = std::array<std::uint8_t, kMemorySize>;

// Parameters the simulator gives a meaning to.
inline constexpr int kFirmwareMajor = 3, kFirmwareMinor = 4, kFirmwareBuild = 5;
inline constexpr int kBattCal = 8;
inline constexpr int kVnominal = 19;
inline constexpr int kCapacityHigh = 24, kCapacityLow = 25;
inline constexpr int kEqualizeRequest = 188;
inline constexpr int kBattMaintVoff = 227;
inline constexpr int kUnitAddressCopies = 268;  // three copies, high byte first, to 273
inline constexpr int kV4ImageLength = 275;      // addresses 0..274 in a V4 dump packet

// Factory values: every row's value lies within the console's range for it
// (serial and password fields 0..99, Vnominal 1..4, modes within their lists).
Memory FactoryMemory(const UnitConfig& config);

std::int32_t FirmwareOf(const Memory& memory);
// The address when its three copies agree, else nothing.
std::optional<std::uint16_t> AddressOf(const Memory& memory);
void StoreAddress(Memory& memory, std::uint16_t address);
int CapacityAhOf(const Memory& memory);
// Where the unit's modem init string starts: 228 when 227 is a parameter
// (firmware 32116 and later, or minor 20/21 with major 2), else 227.
int ModemInitStringStart(const Memory& memory);
// The battery-memory records (maxima, minima and their times): what a
// memory reset clears.
bool IsMemoryRecordAddress(int address);

}  // namespace sim
