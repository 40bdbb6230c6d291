// The unit transfers a session may leave unfinished: a save waiting for its
// dump packet, a bulk write into the unit's memory and a multi-byte text
// write, with the windows that tell of them.
#pragma once

namespace app {

class Console;

// Ends them all, so that nothing of one session acts on the next: a bulk
// write short of its end is told with the packets the unit acknowledged, a
// pending save is dropped and the windows close. Called by the hang-up and
// by the start of every session.
void EndSessionTransfers(Console& c);

}  // namespace app
