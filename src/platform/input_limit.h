// How much received input a port or socket holds for the program.
#pragma once

#include <cstddef>

namespace platform {

// The most received bytes a serial port or socket holds before it stops
// reading: the rest waits in the line (the kernel's buffer, TCP's window),
// so a far end that floods the line while the program is busy (a modal box
// open over the receive loop) costs no memory. Far above the longest reply
// a unit sends.
inline constexpr std::size_t kInputHeld = 64 * 1024;

}  // namespace platform
