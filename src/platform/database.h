// The site database file: an SQLite database reached through DAO-like
// recordsets. Query texts are those of the original engine (see
// sql_translate.h for the few forms that are rewritten).
//
// Every change is durable when the call that made it returns: the
// connection commits each statement at once with synchronous=FULL. No SQL is
// ever built from text an operator typed: query texts hold only numbers, and
// anything else goes in as a bound value ("?" placeholders).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/recordset.h"
#include "platform/variant.h"

namespace platform {

namespace detail {
class SqliteConnection;
}

inline constexpr int kDefaultBusyTimeoutMs = 2000;

struct DatabaseOpenOptions {
  // Create an empty database when the file is missing (its folder must exist).
  bool create_if_missing = false;
  // How long a call waits for another program's lock before it fails.
  int busy_timeout_ms = kDefaultBusyTimeoutMs;
};

struct DatabaseOpenResult;

class Database {
 public:
  Database() = default;  // not open

  // Opens the file for reading and writing. Refused, with the reason in
  // plain words and the file left as it was: a missing folder or file, a
  // file that is not an SQLite database, a read-only file or folder, a file
  // locked by another program. An existing file is never truncated.
  static DatabaseOpenResult Open(const std::string& path, const DatabaseOpenOptions& options = {});

  bool IsOpen() const { return connection_ != nullptr; }
  const std::string& Path() const;

  // A recordset over a query text or a table name ("tSites"), with values
  // bound to the query's "?" placeholders. A query that fails gives a closed
  // recordset (Eof true) whose Error() says why, and the failure is told as
  // `telling` says.
  Recordset OpenRecordset(std::string_view source, const std::vector<Variant>& values = {},
                          ReadFailure telling = ReadFailure::Told) const;
  // The same query read forward only, row by row as it is stepped (see
  // recordset.h): a pass over many rows copies nothing it does not read.
  Recordset OpenForwardOnly(std::string_view source,
                            ReadFailure telling = ReadFailure::Told) const;

  // Tells the operator the reason of a read that failed (ReadFailure::Told
  // and Repeating). Without one, failures are kept in Error() only.
  void SetReadFailureHandler(std::function<void(const std::string& reason)> handler) const;

  // Runs one statement that returns no rows; the reason when it fails.
  std::optional<std::string> Execute(std::string_view sql,
                                     const std::vector<Variant>& values = {}) const;

 private:
  explicit Database(std::shared_ptr<detail::SqliteConnection> connection)
      : connection_(std::move(connection)) {}
  std::shared_ptr<detail::SqliteConnection> connection_;
};

struct DatabaseOpenResult {
  Database db;
  std::string error;  // the reason when the file could not be opened
  bool ok() const { return error.empty(); }
};

}  // namespace platform
