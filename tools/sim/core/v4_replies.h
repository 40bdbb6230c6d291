// The content of the V4 packets a unit sends back (framing: v4_frame.h).
//
// The dump packet holds no address: two bytes of L (the length of the
// parameter image, high byte first), the image (addresses 0..L-1), then the
// status block. Multi-byte fields are big-endian. Status block offsets:
//
//   all firmware    0 year of the century, 1 month, 2 day, 3 weekday 0..6,
//                   4 hour, 5 minute, 6 second, 7 unshown byte,
//                   8 battery voltage I16 in hundredths
//   other firmware  10 PV current I16 tenths, 12 load current I16 tenths,
//                   14 battery temperature I16, 16 unit temperature I16,
//                   18 relay bits, 19 generator bits, 20 unshown byte; q = 21
//   firmware 40100  10 PV current I24 hundredths, 13 load current I24
//                   hundredths, 16 state of charge I16 hundredths of a percent,
//                   18 battery temperature I16, 20 unit temperature I16,
//                   22 relay bits, 23 generator bits, 24 unshown byte; q = 25
//   then            q two unshown I16, q+4 equalisation flag, q+5 net,
//                   q+10 in and q+15 out ampere-hours, U40 in hundredths.
#pragma once

#include <cstdint>
#include <string>

#include "live_status.h"
#include "parameter_memory.h"
#include "unit_clock.h"

namespace sim {

std::string StatusBlock(const ClockReading& clock, const LiveStatus& status, std::int32_t firmware,
                        int soc_centipercent);

// L = 275: addresses 0..274, then the status block.
std::string DumpPacketContent(const Memory& memory, const ClockReading& clock,
                              const LiveStatus& status, std::int32_t firmware,
                              int soc_centipercent);

}  // namespace sim
