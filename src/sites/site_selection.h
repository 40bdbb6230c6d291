// Whether the selected site may change now. A session stores its log, its
// alarms and its icon colour on the selected site when it ends, so while
// one is open (outside the demonstration mode) no other site may become
// the selected one, whichever window the operator picks it in.
#pragma once

namespace app {
class Console;
}

namespace sites {

// While online: tells the operator to disconnect first and returns true.
bool RefuseSiteChangeWhileOnline(app::Console& c);

}  // namespace sites
