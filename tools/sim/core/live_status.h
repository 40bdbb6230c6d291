// The live values a unit reports in its "U" and "V" lines and in the status
// block of its V4 dump packet.
#pragma once

#include <cstdint>

namespace sim {

// Relay and alarm bits of the status: a set relay bit means the relay is open.
inline constexpr int kRelayPv1Open = 8, kRelayLoadOpen = 16, kAlarmHva = 32, kAlarmLva = 64,
                     kRelayPv2Open = 128;
inline constexpr int kGeneratorRunning = 32;

struct LiveStatus {
  int battery_centivolts = 0;  // 5280 = 52.80 V
  int pv_centiamps = 0;        // hundredths of an ampere; most layouts send tenths
  int load_centiamps = 0;
  int battery_temp_c = 25;
  int unit_temp_c = 30;
  int relay_bits = 0;
  int generator_bits = 0;
  bool equalize = false;  // an equalisation charge is pending ("Next HVD")
  // Ampere-hour counters: the battery's charge, and the totals from the
  // array and to the load since their last reset.
  double ah_net = 0;
  double ah_in = 0;
  double ah_out = 0;
  // Fields the console reads and does not show; the unit sends zeros.
  int reserved_u4 = 0;
  int reserved_u16 = 0;
  int reserved_v1 = 0;
  int reserved_v2 = 0;
};

// A sunny afternoon on a system of the given voltage and battery size.
LiveStatus TypicalStatus(int system_volts, int capacity_ah);

// Runs the counters on by `hours` at the present currents; the battery's
// charge stays between 0 and its capacity.
void RunAmpHours(LiveStatus& status, double hours, int capacity_ah);

// The state of charge in hundredths of a percent (0 when no capacity is set).
int StateOfChargeCentipercent(const LiveStatus& status, int capacity_ah);

}  // namespace sim
