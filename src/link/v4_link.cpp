#include "link/v4_link.h"

#include <string_view>

#include "app/console.h"
#include "link/command_sender.h"
#include "link/v4_packet.h"

namespace lnk {

void SendV4Packet(app::Console& c, std::int32_t address, std::string_view payload) {
  BeginCommand(c.st);
  const ByteSink sink = [&c](std::string_view bytes) {
    if (c.st.UseTcp) {
      c.tcpClient.SendData(bytes);
    } else if (c.MSComm1.PortOpen()) {
      c.MSComm1.Output(bytes);
    }
  };
  // The address travels as two bytes; the unit address never leaves 0..65535.
  SendV4Packet(sink, static_cast<std::uint16_t>(address & 0xFFFF), payload);
}

}  // namespace lnk
