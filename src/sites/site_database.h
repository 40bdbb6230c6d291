// The site database "Dozur.mdb" in the program folder: the table of sites
// tSites and the daily log records tData. Start-up opens it once into the
// console's `Db`, which stays open until the program ends; the console also
// keeps three recordset variables next to it:
//   rsShared   every short query in turn: open, use and close it within one
//              handler, without yielding to the event loop, since the map's
//              flash timer reopens it every second;
//   rsCallout  the sites of one callout run;
//   rsSite     the site dialog's row, from its load to its OK button.
// Opening a recordset into a variable replaces whatever it held:
//   rsShared = Db.OpenRecordset(sites::ConnectionLogQuery(id));
#pragma once

#include <string>
#include <string_view>

#include "platform/database.h"

namespace sites {

inline constexpr std::string_view kSiteDatabaseFileName = "Dozur.mdb";

struct SiteDatabaseOpenResult {
  platform::Database db;
  // Empty when open; otherwise the message that start-up shows before the
  // program ends, naming the file and the reason.
  std::string error;
  bool ok() const { return error.empty(); }
};

// Opens the site database at path. A missing file is created with both
// tables and the index that the log queries use; an empty database gets
// them too. A file that cannot be used is never changed: one that is not a
// database, is read-only or locked, or is a database without the table
// tSites, is refused with a message such as
//   Cannot open the site database "/home/op/.local/share/vkx4700/Dozur.mdb":
//   the file is not an SQLite database.
SiteDatabaseOpenResult OpenSiteDatabase(const std::string& path,
                                        int busy_timeout_ms = platform::kDefaultBusyTimeoutMs);

}  // namespace sites
