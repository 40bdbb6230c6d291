// Who holds the telephone line (the modem's serial port, or the socket while
// it connects) now. Everything that claims the line, or that changes the
// site a session will be filed under, asks here first, so that none of them
// types into, hangs up or re-files somebody else's call.
#pragma once

#include <cstddef>
#include <string_view>

namespace app {
class Console;
}

namespace lnk {

enum class LineHolder {
  kNobody,
  kSession,         // a session is open
  kCommand,         // a command is under way: a dial, a modem set-up, a hang-up
  kCalloutRun,      // a callout run, also between its sites
  kCallIn,          // a unit calling in: ringing, answered, sending its report
  kTerminal,        // the operator works the serial port in the terminal window
  kNetworkConnect,  // a network connect is waiting for its socket
};

LineHolder WhoHoldsTheLine(app::Console& c);
inline bool LineInUse(app::Console& c) { return WhoHoldsTheLine(c) != LineHolder::kNobody; }

// Follows the modem's words in `recent`, the piece received while no
// command runs with the few characters before it that a word may straddle:
// "RING" or "CONNECT" begin a call-in, "NO CARRIER" ends it,
// and any text on a call keeps it going. A call whose end never came frees
// the line after a quiet spell.
void FollowIdleLine(app::Console& c, std::string_view recent);

// Marks the line held by a network connect for the guard's lifetime.
class NetworkConnectHold {
 public:
  explicit NetworkConnectHold(app::Console& c);
  ~NetworkConnectHold();
  NetworkConnectHold(const NetworkConnectHold&) = delete;
  NetworkConnectHold& operator=(const NetworkConnectHold&) = delete;

 private:
  app::Console& c_;
  bool before_;
};

}  // namespace lnk
