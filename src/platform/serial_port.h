// The serial communications control the main window owns: a port number,
// line settings, handshaking and RTS, open and close, and the input and
// output buffers. Bytes 0-255 pass unchanged both ways (one char per byte).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Set before opening.
  int CommPort = 1;                       // 1..16
  std::string Settings = "9600,n,8,1";    // baud, parity, data bits, stop bits
  int Handshaking = 0;                    // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both
  bool RTSEnable = false;

  virtual bool PortOpen() const = 0;
  // Opens (true) or closes (false) the port. Opening fails when the port
  // does not exist or another program holds it: returns false and leaves
  // the reason in LastError().
  virtual bool SetPortOpen(bool open) = 0;
  virtual const std::string& LastError() const = 0;
  // After an open that failed because the port would not take the line
  // settings or handshaking asked for: what it refused, by name ("7 data
  // bits, parity E"). Empty after any other failure and after an open.
  virtual const std::string& RefusedSettings() const = 0;

  // Bytes waiting in the input buffer.
  virtual int InBufferCount() const = 0;
  // Every waiting byte; empties the input buffer.
  virtual std::string Input() = 0;
  // Sends the bytes in order (ignored while the port is closed).
  virtual void Output(std::string_view bytes) = 0;

  // Raised on the user-interface thread, once, when the open device goes
  // away or fails under the program (an adapter pulled out, the far end of a
  // pty closed, a read or write that fails): the port is closed by then and
  // LastError() says what happened. Never raised by SetPortOpen(false).
  std::function<void()> DeviceLost;
};

}  // namespace platform
