// Opening the serial port for a road (modem, cable, terminal), with the
// operator told when it does not open.
#pragma once

#include <string>

namespace app {
class Console;
}

namespace lnk {

// Opens the serial port with its current number, line settings and
// handshaking. When the port will not take the settings, the operator is
// told which ones it refused; any other failure shows `failure` (the road's
// own message; when empty, the port and the reason are named). False when
// the port stays closed.
bool OpenSerialPort(app::Console& c, const std::string& failure);

}  // namespace lnk
