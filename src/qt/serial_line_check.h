// What a serial device really holds after line settings were asked of it.
// Drivers may take a setting without complaint and keep another (a pty keeps
// 8 data bits and no parity; no Linux port has 1.5 stop bits), so the
// settings are read back from the device and compared.
#pragma once

#include <QSerialPort>
#include <string>
#include <vector>

#include "qt/serial_settings.h"

namespace qtui {

// The names of the settings the device behind fd does not hold ("speed
// 19200", "parity E", "7 data bits", "1.5 stop bits", "flow control
// RTS/CTS"); empty when it holds them all.
std::vector<std::string> SettingsNotHeld(int fd, const SerialLineSettings& wanted,
                                         const Handshake& handshake);

// Turns XON/XOFF on for the device behind fd, beside whatever handshake it
// holds (QSerialPort sets one mode only); false when the device refuses.
bool AddXonXoff(int fd);

}  // namespace qtui
