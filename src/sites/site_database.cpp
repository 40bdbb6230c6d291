#include "sites/site_database.h"

#include <array>

namespace sites {
namespace {

// Declared types choose how a value is read and converted (see
// platform/field_coercion.h): SMALLINT is the 16-bit site number and colour,
// INTEGER a 32-bit whole number, BOOLEAN Yes/No, DOUBLE a number, TEXT text.
constexpr std::string_view kCreateSites =
    "CREATE TABLE IF NOT EXISTS tSites ("
    "SiteID INTEGER PRIMARY KEY AUTOINCREMENT, "
    "SiteName TEXT, "
    "SitePhone TEXT, "
    "SiteNum SMALLINT, "
    "SiteCustNum INTEGER, "
    "CallOut BOOLEAN NOT NULL DEFAULT 0, "
    "SiteLatMin DOUBLE, "
    "SiteLatSec DOUBLE, "
    "SiteLonMin DOUBLE, "
    "SiteLonSec DOUBLE, "
    "SiteColor SMALLINT, "
    "Alarms TEXT, "
    "ConnectLog TEXT, "
    "AHResetTime INTEGER)";

constexpr std::string_view kCreateData =
    "CREATE TABLE IF NOT EXISTS tData ("
    "SiteNum SMALLINT, "
    "DataDate INTEGER, "
    "VBattMax DOUBLE, VBattMin DOUBLE, "
    "VLoadMax DOUBLE, VLoadMin DOUBLE, "
    "ALoadMax DOUBLE, ALoadMin DOUBLE, "
    "TBattMax DOUBLE, TBattMin DOUBLE, "
    "TShelMax DOUBLE, TShelMin DOUBLE, "
    "TOutMax DOUBLE, TOutMin DOUBLE, "
    "AHPV DOUBLE, AHLoad DOUBLE)";

// The log list and the log download look rows up by site and day.
constexpr std::string_view kCreateDataIndex =
    "CREATE INDEX IF NOT EXISTS tDataSiteDate ON tData (SiteNum, DataDate)";

std::string Message(const std::string& path, const std::string& reason) {
  return "Cannot open the site database \"" + path + "\": " + reason + ".";
}

// How many tables the file holds, and whether tSites is one of them.
struct Contents {
  long tables = 0;
  bool has_sites = false;
};

std::optional<Contents> ReadContents(const platform::Database& db, std::string* error) {
  platform::Recordset rs = db.OpenRecordset(
      "SELECT count(*) AS Tables, sum(name = 'tSites' COLLATE NOCASE) AS Sites "
      "FROM sqlite_master WHERE type = 'table'");
  if (rs.Eof()) {
    *error = rs.Error();
    return std::nullopt;
  }
  return Contents{rs.Field("Tables").ToLong(), rs.Field("Sites").ToLong() > 0};
}

// Creates what is missing in one transaction, so a failure leaves nothing
// half made.
std::optional<std::string> EnsureTables(const platform::Database& db) {
  if (auto error = db.Execute("BEGIN IMMEDIATE")) return error;
  for (const std::string_view sql : std::array{kCreateSites, kCreateData, kCreateDataIndex}) {
    if (auto error = db.Execute(sql)) {
      db.Execute("ROLLBACK");
      return error;
    }
  }
  return db.Execute("COMMIT");
}

}  // namespace

SiteDatabaseOpenResult OpenSiteDatabase(const std::string& path, int busy_timeout_ms) {
  SiteDatabaseOpenResult result;
  platform::DatabaseOpenOptions options;
  options.create_if_missing = true;
  options.busy_timeout_ms = busy_timeout_ms;
  platform::DatabaseOpenResult opened = platform::Database::Open(path, options);
  if (!opened.ok()) {
    result.error = Message(path, opened.error);
    return result;
  }
  std::string error;
  const auto contents = ReadContents(opened.db, &error);
  if (!contents) {
    result.error = Message(path, error);
    return result;
  }
  // Tables are added to a new (empty) database or to the site database,
  // never to some other program's database that happens to have this name.
  if (contents->tables > 0 && !contents->has_sites) {
    result.error = Message(path, "the file holds no table tSites");
    return result;
  }
  if (const auto failed = EnsureTables(opened.db)) {
    result.error = Message(path, *failed);
    return result;
  }
  result.db = std::move(opened.db);
  return result;
}

}  // namespace sites
