#include "parameter_memory.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace sim {

namespace {

constexpr int kFactoryBattCal = 180;
constexpr std::string_view kFactoryModemInit = "AT&FE0X0V0S0=2";

std::uint8_t Byte(long v) { return static_cast<std::uint8_t>(std::clamp(v, 0L, 255L)); }

// A record group of the memory page: the value, then month, day, hour, minute.
void Record(Memory& m, int base, std::uint8_t value, int month, int day, int hour, int minute) {
  m[base] = value;
  m[base + 1] = Byte(month);
  m[base + 2] = Byte(day);
  m[base + 3] = Byte(hour);
  m[base + 4] = Byte(minute);
}

}  // namespace

Memory FactoryMemory(const UnitConfig& config) {
  Memory m{};
  const int blocks = config.system_volts / 12;
  // The console shows a voltage byte as 10 V + raw * factor / 10000 per 12 V
  // block, the factor being 250 for V4 units and Batt Cal for text units.
  const int factor = config.dialect == Dialect::kV4 ? 250 : kFactoryBattCal;
  auto volts = [factor](double per_block) {
    return Byte(std::lround((per_block - 10.0) * 10000.0 / factor));
  };

  m[0] = 47;
  m[1] = 11;
  m[2] = Byte(config.address % 100);
  m[kFirmwareMajor] = Byte(config.firmware / 10000);
  m[kFirmwareMinor] = Byte(config.firmware / 100 % 100);
  m[kFirmwareBuild] = Byte(config.firmware % 100);
  m[kBattCal] = kFactoryBattCal;
  m[9] = 128;   // Temp Cal
  m[10] = 2;    // PV Zero
  m[11] = 100;  // PV Cal
  m[12] = 5;    // PV Sample Rate (mins)
  m[13] = 90;   // BattEff %
  m[14] = 3;    // EQU Hours
  m[15] = 28;   // Equalize Days
  m[17] = 2;    // NO Amps (at the PV zero: 0.00 A)
  m[kVnominal] = Byte(blocks);
  m[21] = 10;   // Load Shunt (x5 = 50 A)
  m[22] = 10;   // PV Shunt
  m[23] = 0;    // Charge Mode: Voltage
  const int capacity = 100 * blocks;
  m[kCapacityHigh] = Byte(capacity / 256);
  m[kCapacityLow] = Byte(capacity % 256);
  m[26] = 1;  m[27] = volts(14.2); m[28] = volts(13.4);   // HVD1: NO relay
  m[29] = 1;  m[30] = volts(12.6); m[31] = volts(11.5);   // LVD: Auto
  m[32] = 1;  m[33] = volts(14.5); m[34] = volts(14.0);   // HVA
  m[35] = 1;  m[36] = volts(12.2); m[37] = volts(11.8);   // LVA
  m[38] = 0;  m[39] = volts(14.0); m[40] = volts(11.9);   // Generator: Off
  m[41] = 0;  m[42] = volts(14.5); m[43] = volts(14.0);   // LHVD: Disabled
  m[44] = 0;  m[45] = volts(14.4); m[46] = volts(13.6);   // HVD2: NC relay
  m[47] = 1;    // TComp: Std Range
  m[48] = 236;  // HVD mV/ºC, stored as a negative byte
  m[49] = 0;    // LVD mV/ºC
  m[55] = 0;    // Load 1 timer off
  m[56] = 18; m[57] = 0;   // Load timing on 18:00
  m[58] = 6;  m[59] = 30;  // off 6:30
  m[60] = 0;    // Equalize Mode: Manual
  m[61] = 20;   // Equalize Vboost
  m[62] = 2; m[63] = 4; m[64] = 7; m[65] = 30;  // generator timing
  m[75] = 12; m[76] = 34; m[77] = 56;  // Level 3 password
  m[82] = 11; m[83] = 22; m[84] = 33;  // Level 2 password
  m[89] = 0;    // Time Corr sec/day
  m[95] = 0;    // Fault lamp off
  m[96] = 1; m[97] = 5; m[98] = 9; m[99] = 15;  // last reset 1/5 9:15

  // Memory page: the battery-memory records.
  Record(m, 101, volts(14.5), 2, 14, 13, 42);  // Battery Volts Max
  Record(m, 107, volts(11.7), 1, 28, 6, 5);    // Battery Volts Min
  Record(m, 113, 40, 2, 3, 19, 30);            // Load Amps Max (19.00 A)
  Record(m, 119, 3, 2, 20, 4, 10);             // Load Amps Min
  Record(m, 125, 60, 2, 11, 12, 55);           // PV Amps Max (29.00 A)
  Record(m, 131, 2, 1, 9, 23, 0);              // PV Amps Min
  Record(m, 137, 38, 2, 11, 15, 20);           // Batt Temp Max
  Record(m, 143, 251, 1, 22, 5, 45);           // Batt Temp Min (-5)
  Record(m, 149, 45, 2, 11, 15, 50);           // Unit Temp Max
  Record(m, 155, 254, 1, 22, 6, 0);            // Unit Temp Min (-2)
  Record(m, 161, 7, 2, 1, 10, 0);              // Equalizations
  m[168] = 2; m[169] = 18; m[170] = 16; m[171] = 40;  // Gen Hours: last run
  m[212] = 0x12; m[213] = 0x34;                       // 4660 minutes

  m[185] = 3;    // # Program Resets
  m[186] = 45;   // Max Temp
  m[187] = 251;  // Min Temp (-5)
  m[195] = 2;    // Load Zero
  m[196] = 100;  // Load Cal
  m[220] = 10;   // EBBM %Over
  m[221] = volts(13.2);
  m[225] = 5;    // EBBM %add 0.5 %
  m[226] = 0;    // ... positive
  m[kBattMaintVoff] = volts(13.0);
  const int init_at = ModemInitStringStart(m);
  for (std::size_t i = 0; i < kFactoryModemInit.size(); ++i)
    m[init_at + static_cast<int>(i)] = static_cast<std::uint8_t>(kFactoryModemInit[i]);
  m[267] = 0;    // battery voltage offset
  StoreAddress(m, config.address);
  m[274] = 30;   // LVD Delay (x2 = 60 s)
  return m;
}

std::int32_t FirmwareOf(const Memory& memory) {
  return memory[kFirmwareMajor] * 10000 + memory[kFirmwareMinor] * 100 + memory[kFirmwareBuild];
}

std::optional<std::uint16_t> AddressOf(const Memory& memory) {
  const int a = memory[kUnitAddressCopies] * 256 + memory[kUnitAddressCopies + 1];
  for (int copy = 1; copy < 3; ++copy) {
    const int at = kUnitAddressCopies + 2 * copy;
    if (memory[at] * 256 + memory[at + 1] != a) return std::nullopt;
  }
  return static_cast<std::uint16_t>(a);
}

void StoreAddress(Memory& memory, std::uint16_t address) {
  for (int copy = 0; copy < 3; ++copy) {
    memory[kUnitAddressCopies + 2 * copy] = static_cast<std::uint8_t>(address >> 8);
    memory[kUnitAddressCopies + 2 * copy + 1] = static_cast<std::uint8_t>(address & 0xFF);
  }
}

int CapacityAhOf(const Memory& memory) {
  return memory[kCapacityHigh] * 256 + memory[kCapacityLow];
}

int ModemInitStringStart(const Memory& memory) {
  const int major = memory[kFirmwareMajor];
  const int minor = memory[kFirmwareMinor];
  const bool safe_maint = (minor == 20 || minor == 21) && major == 2;
  return safe_maint || FirmwareOf(memory) >= kCheckedLinesFirmware ? kBattMaintVoff + 1
                                                                   : kBattMaintVoff;
}

bool IsMemoryRecordAddress(int address) {
  return (address >= 101 && address <= 165 && (address - 100) % 6 != 0) ||
         (address >= 168 && address <= 171);
}

}  // namespace sim
