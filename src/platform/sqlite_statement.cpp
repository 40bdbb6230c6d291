#include "platform/sqlite_statement.h"

#include <cctype>
#include <utility>

#include "platform/cp1252.h"

namespace platform::detail {

namespace {
constexpr std::size_t kKeptStatements = 8;
}  // namespace

SqliteConnection::SqliteConnection(sqlite3* handle, std::string path)
    : handle_(handle), path_(std::move(path)) {}

SqliteConnection::~SqliteConnection() {
  kept_.clear();  // finalized before the connection closes
  sqlite3_close_v2(handle_);
}

void SqliteConnection::ReadFailed(const std::string& sql, const std::string& reason,
                                  ReadFailure telling) {
  if (telling == ReadFailure::ByCaller || !read_failure_handler_) return;
  if (telling == ReadFailure::Repeating) {
    auto [it, added] = told_repeating_.try_emplace(sql, reason);
    if (!added && it->second == reason) return;  // told already
    it->second = reason;
  }
  // A copy: the handler may show a box whose loop replaces this connection's
  // handler or reads again.
  const auto handler = read_failure_handler_;
  handler(reason);
}

void SqliteConnection::ReadSucceeded(const std::string& sql, ReadFailure telling) {
  if (telling == ReadFailure::Repeating) told_repeating_.erase(sql);
}

std::unique_ptr<Statement> SqliteConnection::TakeStatement(const std::string& sql) {
  auto it = kept_.find(sql);
  if (it == kept_.end()) return nullptr;
  std::unique_ptr<Statement> stmt = std::move(it->second);
  kept_.erase(it);
  return stmt;
}

void SqliteConnection::KeepStatement(const std::string& sql, std::unique_ptr<Statement> stmt) {
  sqlite3_reset(stmt->get());  // ends its read of the file
  sqlite3_clear_bindings(stmt->get());
  if (kept_.size() >= kKeptStatements && kept_.count(sql) == 0) kept_.clear();
  kept_[sql] = std::move(stmt);
}

std::string EngineErrorText(sqlite3* db, int rc) {
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "the database is locked by another program";
    case SQLITE_READONLY: return "the database file is read-only";
    case SQLITE_NOTADB: return "the file is not an SQLite database";
    case SQLITE_CORRUPT: return "the database file is damaged";
    case SQLITE_FULL: return "the disk is full";
    case SQLITE_PERM: return "access to the file is denied";
    case SQLITE_IOERR: return "the file cannot be read or written";
    default: break;
  }
  const char* message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  return Utf8ToCp1252(message != nullptr ? message : "unknown error");
}

std::string QuoteName(std::string_view name) {
  std::string out = "\"";
  for (const char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

Statement& Statement::operator=(Statement&& other) noexcept {
  std::swap(stmt_, other.stmt_);
  return *this;
}

bool Statement::Prepare(sqlite3* db, std::string_view sql, std::string* error) {
  sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail);
  if (rc != SQLITE_OK) {
    *error = EngineErrorText(db, rc);
    return false;
  }
  if (stmt_ == nullptr) {
    *error = "the query is empty";
    return false;
  }
  for (const char* p = tail; p != nullptr && p < sql.data() + sql.size(); ++p) {
    if (*p != ';' && std::isspace(static_cast<unsigned char>(*p)) == 0) {
      sqlite3_finalize(stmt_);
      stmt_ = nullptr;
      *error = "the text holds more than one statement";
      return false;
    }
  }
  return true;
}

bool Statement::BindAll(const std::vector<Variant>& values, std::string* error) {
  const int wanted = sqlite3_bind_parameter_count(stmt_);
  if (wanted != static_cast<int>(values.size())) {
    *error = "the query takes " + std::to_string(wanted) + " values, " +
             std::to_string(values.size()) + " were given";
    return false;
  }
  for (int i = 0; i < wanted; ++i) Bind(i + 1, values[static_cast<std::size_t>(i)]);
  return true;
}

void Statement::Bind(int index, const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Null:
      sqlite3_bind_null(stmt_, index);
      break;
    case Variant::Type::Boolean:
      sqlite3_bind_int(stmt_, index, value.ToBool() ? 1 : 0);
      break;
    case Variant::Type::Long:
      sqlite3_bind_int64(stmt_, index, value.ToLong());
      break;
    case Variant::Type::Double:
      sqlite3_bind_double(stmt_, index, value.ToDouble());
      break;
    case Variant::Type::Text: {
      const std::string utf8 = Cp1252ToUtf8(value.ToText());
      sqlite3_bind_text(stmt_, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
      break;
    }
  }
}

// The column's value is read through one call into the engine: a pass over
// every site each second reads thousands of fields. (The value is used at
// once, on the connection's one thread.)
Variant Statement::Column(int i, ColumnKind kind) const {
  sqlite3_value* value = sqlite3_column_value(stmt_, i);
  switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
      return Variant();
    case SQLITE_INTEGER: {
      const sqlite3_int64 v = sqlite3_value_int64(value);
      if (kind == ColumnKind::Boolean) return Variant(v != 0);
      if (kind == ColumnKind::Double) return Variant(static_cast<double>(v));
      return Variant(v);
    }
    case SQLITE_FLOAT: {
      const double v = sqlite3_value_double(value);
      if (kind == ColumnKind::Boolean) return Variant(v != 0);
      return Variant(v);
    }
    default: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
      const int size = sqlite3_value_bytes(value);
      if (text == nullptr) return Variant(std::string());
      return Variant(Utf8ToCp1252(std::string_view(text, static_cast<std::size_t>(size))));
    }
  }
}

}  // namespace platform::detail
