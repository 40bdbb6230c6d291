// The session's log and status line: a log line is appended to the online
// window's log followed by CR LF; the status goes to the main window's status
// bar and to the online window's status box alike.
#pragma once

#include <string>

namespace app {

class Console;

void LogLine(Console& c, const std::string& text);
// A new session's log ("Session start: " and the date and time) replaces the
// last one; the session has not reached its unit nor been stored yet.
void BeginSessionLog(Console& c);
// Appends text to the log without a line end.
void LogText(Console& c, const std::string& text);
void SetStatus(Console& c, const std::string& text);
// Only the main window's status bar.
void SetStatusBar(Console& c, const std::string& text);

}  // namespace app
