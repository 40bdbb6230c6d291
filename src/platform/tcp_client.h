// The TCP client socket control the main window owns.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Socket states as the program compares them.
inline constexpr int sckClosed = 0;
inline constexpr int sckConnecting = 6;
inline constexpr int sckConnected = 7;
inline constexpr int sckClosing = 8;
inline constexpr int sckError = 9;

class TcpClient {
 public:
  virtual ~TcpClient() = default;

  std::string RemoteHost;
  int RemotePort = 0;

  // Starts connecting to RemoteHost:RemotePort; the caller polls State().
  virtual void Connect() = 0;
  virtual int State() const = 0;
  // Sends the bytes in order (ignored unless connected).
  virtual void SendData(std::string_view bytes) = 0;
  // The bytes that have arrived since the last call, as text; at most
  // kInputHeld (platform/input_limit.h), the rest waiting for the next call.
  virtual std::string GetData() = 0;
  virtual void Close() = 0;

  // Raised on the user-interface thread when data has arrived (byte count).
  std::function<void(long)> DataArrival;
};

}  // namespace platform
