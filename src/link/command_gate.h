// Who may start a command now. The link carries one command at a time: a
// reply is read as the answer of the command in progress, so a second
// command started before the first was answered would take the first one's
// reply as its own, and a write it broke into would be left half done in the
// unit. Every control that starts a command (a button, a menu entry, an
// option pair) goes through this gate; while a command is under way it is
// refused: it sends nothing, changes nothing, and the online log says why.
#pragma once

#include <functional>

namespace app {
class Console;
}

namespace lnk {

// A command is under way: one has been started on a link that a receive loop
// serves and its reply has not been handled yet (a multi-byte write and a
// bulk write count until their last byte or packet), or the window that
// leads into a memory download is about to start it.
bool CommandUnderWay(app::Console& c);

// True when a control may start its command now; otherwise the press is
// refused with a beep and a line in the online log.
bool MayStartCommand(app::Console& c);

// The control's handler behind the gate.
std::function<void()> Gated(app::Console& c, std::function<void()> start);

}  // namespace lnk
