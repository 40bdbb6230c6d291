// SQLite handles for the database layer: the open connection, shared by the
// database and its recordsets, and one prepared statement. Only
// database.cpp and recordset.cpp use this header.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/field_coercion.h"
#include "platform/recordset.h"
#include "platform/variant.h"

namespace platform::detail {

class Statement;

// Closed when the database and every recordset that came from it are gone.
class SqliteConnection {
 public:
  SqliteConnection(sqlite3* handle, std::string path);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  sqlite3* handle() const { return handle_; }
  const std::string& path() const { return path_; }

  // A read that failed is told through the handler (see ReadFailure in
  // recordset.h). A repeating read tells a failure once until the same query
  // reads again.
  void SetReadFailureHandler(std::function<void(const std::string&)> handler) {
    read_failure_handler_ = std::move(handler);
  }
  void ReadFailed(const std::string& sql, const std::string& reason, ReadFailure telling);
  void ReadSucceeded(const std::string& sql, ReadFailure telling);

  // Prepared statements of forward-only passes, kept for the next pass of
  // the same query (the map redraws its sites every second): taken out
  // while a pass reads, given back reset when it ends.
  std::unique_ptr<Statement> TakeStatement(const std::string& sql);
  void KeepStatement(const std::string& sql, std::unique_ptr<Statement> stmt);

 private:
  sqlite3* handle_;
  std::string path_;
  std::function<void(const std::string&)> read_failure_handler_;
  std::map<std::string, std::string> told_repeating_;  // query -> reason told
  std::map<std::string, std::unique_ptr<Statement>> kept_;
};

// The reason of a failed call in plain words ("the database is locked by
// another program"), from its result code and the connection's message.
std::string EngineErrorText(sqlite3* db, int rc);

// A name as a quoted SQL identifier: "SiteName".
std::string QuoteName(std::string_view name);

class Statement {
 public:
  Statement() = default;
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(Statement&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Prepares exactly one statement of UTF-8 SQL; a text holding a second
  // statement, or none, is refused. Returns false with the reason in *error.
  bool Prepare(sqlite3* db, std::string_view sql, std::string* error);
  // Binds values (8-bit texts stored as UTF-8) to the "?" placeholders; the
  // number of values must match.
  bool BindAll(const std::vector<Variant>& values, std::string* error);
  void Bind(int index, const Variant& value);  // 1-based

  int Step() { return sqlite3_step(stmt_); }
  sqlite3_stmt* get() const { return stmt_; }
  explicit operator bool() const { return stmt_ != nullptr; }

  // Result column i of the current row, read as a field of the given kind.
  Variant Column(int i, ColumnKind kind) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace platform::detail
