// The settings entries that become a port number, the serial line's settings
// text or part of a modem command, and what each may hold: the settings
// dialog checks what is typed against them, and the roads check what is
// stored before they use it, so a value that is none ("2.6" for a port,
// "2DT5551234" for the rings) never becomes another port or command.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace app {
class Console;
}

namespace lnk {

struct LineField {
  const char* key;          // the settings entry
  const char* name;         // what the operator calls it ("Cable COM Port")
  const char* requirement;  // what it must be ("a whole number from 1 to 16")
  const char* page;         // where the settings dialog shows it
  bool (*holds)(std::string_view text);
};

// Every such entry of both roads, modem first.
std::span<const LineField> LineFields();
const LineField& LineFieldOf(std::string_view key);

// "The <name> must be <requirement>."
std::string LineFieldRule(const LineField& field);

// The whole number the text names, blanks around it allowed, no sign,
// within [low, high]; nothing for anything else.
std::optional<int> WholeNumberIn(std::string_view text, int low, int high);

// The port number a port entry holds; nothing, after telling the operator
// what it must be, what it is and where to correct it, when it holds none.
std::optional<int> StoredCommPort(app::Console& c, std::string_view key);
// The ring count "ModemRings" holds, likewise.
std::optional<int> StoredRings(app::Console& c);

}  // namespace lnk
