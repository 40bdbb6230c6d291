// The unit transfers a session may leave unfinished: a save waiting for its
// dump packet, a bulk write into the unit's memory and a multi-byte text
// write, with the windows that tell of them.
#pragma once

#include <string>

namespace app {

class Console;

// Ends them all, so that nothing of one session acts on the next: a bulk
// write short of its end is told with the packets the unit acknowledged, a
// pending save is dropped and the windows close. Called by the hang-up and
// by the start of every session.
void EndSessionTransfers(Console& c);

// What the operator must hear when the link ends now, before the command in
// progress has its answer: a parameter write with how many of its bytes the
// unit acknowledged, or a command that changes the unit (clock, resets,
// equalisation, V4 packets) that may not have been carried out. "" when no
// such command is under way, when its answer is already in, or when the
// operator has already cancelled it. Read before the command is abandoned.
std::string UnfinishedCommandNotice(Console& c);

}  // namespace app
