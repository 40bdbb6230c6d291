#include "platform/database.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/cp1252.h"
#include "platform/sql_translate.h"
#include "platform/sqlite_statement.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

DatabaseOpenResult Refused(std::string reason) {
  DatabaseOpenResult result;
  result.error = std::move(reason);
  return result;
}

bool Writable(const fs::path& path) { return ::access(path.c_str(), W_OK) == 0; }

// The checks that need no connection: what is missing or cannot be written.
std::optional<std::string> CheckPlace(const fs::path& file, bool create_if_missing) {
  std::error_code ec;
  const fs::path folder = file.parent_path();
  if (!fs::is_directory(folder, ec)) return "the folder \"" + folder.string() + "\" does not exist";
  const bool exists = fs::exists(file, ec);
  if (exists && fs::is_directory(file, ec)) return std::string("it is a folder, not a file");
  if (!exists && !create_if_missing) return std::string("the file does not exist");
  if (exists && !Writable(file)) return std::string("the file is read-only");
  if (!Writable(folder)) {
    return "the folder \"" + folder.string() +
           "\" cannot be written (the database keeps its journal beside the file)";
  }
  return std::nullopt;
}

}  // namespace

DatabaseOpenResult Database::Open(const std::string& path, const DatabaseOpenOptions& options) {
  if (path.empty()) return Refused("no file name was given");
  std::error_code ec;
  const fs::path file = fs::absolute(path, ec);
  if (ec) return Refused(ec.message());
  if (const auto problem = CheckPlace(file, options.create_if_missing)) return Refused(*problem);

  // The absolute path never starts with "file:", so it is not taken as a URI.
  // The console uses its database from one thread only, so SQLite need not
  // lock on every call.
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX |
                    (options.create_if_missing ? SQLITE_OPEN_CREATE : 0);
  sqlite3* handle = nullptr;
  const int opened = sqlite3_open_v2(file.c_str(), &handle, flags, nullptr);
  auto connection = std::make_shared<detail::SqliteConnection>(handle, file.string());
  if (opened != SQLITE_OK) return Refused(detail::EngineErrorText(handle, opened));
  sqlite3_busy_timeout(handle, options.busy_timeout_ms);
  if (sqlite3_db_readonly(handle, "main") == 1) return Refused("the file is read-only");

  // Read before anything is written: a file that is no database is refused
  // here and left exactly as it was.
  int rc = sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return Refused(detail::EngineErrorText(handle, rc));
  rc = sqlite3_exec(handle, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return Refused(detail::EngineErrorText(handle, rc));
  // A lock held by another program shows now rather than at the first change.
  rc = sqlite3_exec(handle, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return Refused(detail::EngineErrorText(handle, rc));
  sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);

  DatabaseOpenResult result;
  result.db = Database(std::move(connection));
  return result;
}

const std::string& Database::Path() const {
  static const std::string kNone;
  return connection_ ? connection_->path() : kNone;
}

Recordset Database::OpenRecordset(std::string_view source, const std::vector<Variant>& values,
                                  ReadFailure telling) const {
  Recordset rs = Recordset::Open(connection_, source, values, telling);
  rs.TellRead();
  return rs;
}

Recordset Database::OpenForwardOnly(std::string_view source, ReadFailure telling) const {
  Recordset rs = Recordset::OpenForwardOnly(connection_, source, telling);
  rs.TellRead();
  return rs;
}

void Database::SetReadFailureHandler(std::function<void(const std::string&)> handler) const {
  if (connection_) connection_->SetReadFailureHandler(std::move(handler));
}

std::optional<std::string> Database::Execute(std::string_view sql,
                                             const std::vector<Variant>& values) const {
  if (!connection_) return std::string("the database is not open");
  sqlite3* db = connection_->handle();
  detail::Statement stmt;
  std::string error;
  if (!stmt.Prepare(db, Cp1252ToUtf8(TranslateJetSql(sql)), &error) ||
      !stmt.BindAll(values, &error)) {
    return error;
  }
  int rc = SQLITE_ROW;
  while ((rc = stmt.Step()) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) return detail::EngineErrorText(db, rc);
  return std::nullopt;
}

}  // namespace platform
