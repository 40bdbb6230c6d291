// Sending a V4 packet over the session's transport: the network socket when
// the session runs over the network, else the serial port.
#pragma once

#include <cstdint>
#include <string_view>

namespace app {
class Console;
}

namespace lnk {

// Empties the receive state for the reply (as for any new command), then
// encodes and sends the packet for the unit at address (0..65535) with its
// closing carriage return. Nothing goes out while the serial port is closed.
void SendV4Packet(app::Console& c, std::int32_t address, std::string_view payload);

}  // namespace lnk
