// Start-up: the entry procedure, the main window's load handler and the
// restore that the one-shot start-up timer runs two seconds later.
#pragma once

namespace app {
class Console;
}

namespace lnk {

// Reads the dialect flag and the settings file, shows the title window,
// creates and loads the main and map windows and arms the start-up timer.
// Returns false when start-up stopped (the reason has been shown).
bool Main(app::Console& c);
// The main window's load handler: start values of the shared state, the
// command table, the status line.
void MainFormLoad(app::Console& c);
// Loads the hidden windows, restores the main window's rectangle, starts the
// callout timer when set up, and takes the modem init string.
void RestoreMainWindow(app::Console& c);

}  // namespace lnk
