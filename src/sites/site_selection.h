// Whether the selected site may change now. A call stores its log, its
// alarms and its icon colour on the selected site when it ends, so from the
// moment a call is dialled (by the operator or by a callout run) until it
// has ended, and while anyone else holds the line, no other site may become
// the selected one (outside the demonstration mode), whichever window the
// operator picks it in.
#pragma once

namespace app {
class Console;
}

namespace sites {

// While the line is in use: tells the operator to disconnect first and
// returns true.
bool RefuseSiteChangeWhileLineInUse(app::Console& c);

}  // namespace sites
