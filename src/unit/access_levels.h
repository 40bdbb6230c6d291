// The access levels that guard the installation screen and the terminal
// window: which level a key asks for, which rows each level walks, the
// program's own combinations, and unlocking a level once its combination
// was given.
#pragma once

#include <array>
#include <string_view>

namespace app {
class Console;
}
namespace common {
struct SharedState;
}

namespace unit {

class frmInstall;

enum class AccessLevel {
  None,      // a key that asks for no level
  Controls,  // level 2: keys "Status" and "Controls"; rows tagged "S"
  Install,   // level 3: key "Install"; rows tagged "I"
  Factory,   // level 4: key "Factory"; rows tagged "F"
  Terminal,  // the terminal window: key "Terminal"
};

AccessLevel LevelOfKey(std::string_view key);
// The first letter of the row tags that belong to a level (0 for none).
char RowLetterOf(AccessLevel level);
// The key of an installation page (InstallPage): the level its lock button
// acts on; "" for the Memory page.
std::string_view KeyOfPage(int page);

// The rows (addresses) whose spinners unlocking a level walks, and those that
// locking walks: the same, except that locking also walks row 89, which is
// unlocked only with the Controls level by name.
bool WalkedByUnlock(int address);
bool WalkedByLock(int address);
inline constexpr int kFirstRowWalked = 0;
inline constexpr int kLastRowWalked = 274;

// Where the unit keeps the combinations it checks itself.
inline constexpr int kControlsCombinationAddress = 82;  // 82, 83, 84
inline constexpr int kInstallCombinationAddress = 75;   // 75, 76, 77

// The program's own combinations: the Factory level's numbers follow from
// each field's position; the terminal's are fixed.
int FactoryNumber(int position);
inline constexpr std::array<int, 3> kTerminalCombination = {47, 11, 93};

// What a combination dialog compares its three fields with; false for a
// level that has none.
bool ExpectedCombination(app::Console& c, AccessLevel level, std::array<int, 3>& numbers);

// A level given its combination: its rows and buttons open, its flag
// cleared and its toolbar picture switched.
void UnlockLevel(app::Console& c, AccessLevel level);

// Each changeable parameter row's value box shows whether the row takes
// changes now: white while it does, greyed while its level is locked.
void ShowRowLocks(frmInstall& f);

// The screen's controls made to agree with the lock flags: every control of
// a locked level closed, whoever locked it (a hang-up locks the flags while
// the screen is hidden) and whatever a load enabled since. Opens nothing.
void ShowLevelsAsFlagged(frmInstall& f, const common::SharedState& st);

// The page asked for (InstallPage) alone at the top of the installation
// screen, and the screen shown with its lock button reading lock_caption.
void ShowRequestedPage(app::Console& c, std::string_view lock_caption);

}  // namespace unit
