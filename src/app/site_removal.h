// Removing a site's row, as the site directory and the main menu's "Remove
// Site" both do: the database may refuse (locked by another program, a
// read-only file), and then the site, the map and the selection stay as
// they were.
#pragma once

#include <string>

namespace app {

class Console;

// Deletes the row that `query` opens, through the shared recordset. A row
// that is gone already counts as removed. A refusal is told to the operator
// and gives false.
bool RemoveSiteRow(Console& c, const std::string& query);

}  // namespace app
