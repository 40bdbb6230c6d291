#include "platform/recordset.h"

#include <optional>
#include <utility>

#include "common/vb.h"
#include "platform/cp1252.h"
#include "platform/database.h"
#include "platform/field_coercion.h"
#include "platform/sql_translate.h"
#include "platform/sqlite_statement.h"

namespace platform {
namespace detail {

struct RecordsetField {
  std::string name;         // as the query names it
  std::string origin;       // column of the base table; "" when it cannot be written
  ColumnKind kind = ColumnKind::Any;
  bool nullable = true;
  bool is_key = false;      // the row key (an auto-number such as SiteID)
};

}  // namespace detail

namespace {

// Column names are ASCII; letters compare in either case. (The C library's
// tolower costs a locale look-up per character, and every field read
// compares names.)
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string TextOrEmpty(const char* text) { return text != nullptr ? text : ""; }

enum class EditMode { None, Edit, AddNew };

// A repeating read waits only briefly for another program's lock; the
// connection's own wait, as it stands, comes back when the read has its
// first row.
class LockWait {
 public:
  LockWait(sqlite3* db, ReadFailure telling)
      : db_(telling == ReadFailure::Repeating ? db : nullptr) {
    if (db_ == nullptr) return;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, "PRAGMA busy_timeout", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
      restore_ms_ = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_busy_timeout(db_, kRepeatingReadWaitMs);
  }
  ~LockWait() {
    if (db_ != nullptr) sqlite3_busy_timeout(db_, restore_ms_);
  }
  LockWait(const LockWait&) = delete;
  LockWait& operator=(const LockWait&) = delete;

 private:
  sqlite3* db_;
  int restore_ms_ = kDefaultBusyTimeoutMs;
};

}  // namespace

struct Recordset::Row {
  std::int64_t key = 0;
  std::vector<Variant> values;
  bool deleted = false;
};

struct Recordset::State {
  std::shared_ptr<detail::SqliteConnection> connection;
  bool open = false;
  std::vector<detail::RecordsetField> fields;
  std::vector<Row> rows;
  std::size_t position = 0;
  std::string table;  // base table when the rows can be changed, else ""
  EditMode mode = EditMode::None;
  std::vector<std::optional<Variant>> pending;  // field writes since Edit / AddNew
  mutable std::string error;
  // Forward-only: the statement stands on the current row (live_row) until
  // it has stepped past the last, then it is finished.
  bool forward_only = false;
  std::unique_ptr<detail::Statement> live;
  std::string live_sql;
  bool live_row = false;
  // Who tells a failed read, the query it is known by, and the engine's
  // reason when the read failed.
  ReadFailure telling = ReadFailure::ByCaller;
  std::string read_sql;
  std::string read_failure;
  bool read_started = false;  // a forward-only read is past its open
  // The statement goes back to the connection for the next pass.
  void EndLive() {
    if (live && connection) connection->KeepStatement(live_sql, std::move(live));
    live.reset();
  }
  ~State() { EndLive(); }
};

Recordset::Recordset() : s_(std::make_unique<State>()) {}
Recordset::~Recordset() = default;
Recordset::Recordset(std::unique_ptr<State> state) : s_(std::move(state)) {}
Recordset::Recordset(Recordset&& other) noexcept : s_(std::move(other.s_)) {}
Recordset& Recordset::operator=(Recordset&& other) noexcept {
  s_ = std::move(other.s_);
  return *this;
}

Recordset Recordset::Open(std::shared_ptr<detail::SqliteConnection> connection,
                          std::string_view source, const std::vector<Variant>& values,
                          ReadFailure telling) {
  Recordset rs;
  State& st = *rs.s_;
  st.connection = std::move(connection);
  st.telling = telling;
  st.read_sql = std::string(source);
  if (!st.connection) {
    rs.Fail("The database is not open.");
    return rs;
  }
  sqlite3* db = st.connection->handle();
  const LockWait wait(db, telling);
  const std::string trimmed = vb::Trim(source);
  const std::string jet_sql =
      IsTableName(trimmed) ? "SELECT * FROM " + detail::QuoteName(trimmed) : std::string(source);
  const std::string sql = Cp1252ToUtf8(TranslateJetSql(jet_sql));
  if (!IsRowQuery(sql)) {
    rs.FailRead("Cannot open the recordset: ", "only a SELECT query returns rows");
    return rs;
  }

  // With the row key in front the rows can be changed later; a query where
  // the key is not one table's (a join, a sub-query) is opened read-only.
  detail::Statement stmt;
  bool keyed = false;
  if (const auto keyed_sql = WithRowKeyColumn(sql)) {
    std::string ignored;
    keyed = stmt.Prepare(db, *keyed_sql, &ignored) &&
            sqlite3_column_table_name(stmt.get(), 0) != nullptr;
  }
  std::string error;
  if (!keyed && !stmt.Prepare(db, sql, &error)) {
    rs.FailRead("Cannot open the recordset: ", error);
    return rs;
  }
  if (sqlite3_stmt_readonly(stmt.get()) == 0 || sqlite3_column_count(stmt.get()) == 0) {
    rs.FailRead("Cannot open the recordset: ", "only a SELECT query returns rows");
    return rs;
  }
  if (!stmt.BindAll(values, &error)) {
    rs.FailRead("Cannot open the recordset: ", error);
    return rs;
  }

  const int first = keyed ? 1 : 0;
  std::string key_origin;
  if (keyed) {
    st.table = sqlite3_column_table_name(stmt.get(), 0);
    key_origin = TextOrEmpty(sqlite3_column_origin_name(stmt.get(), 0));
  }
  const int count = sqlite3_column_count(stmt.get());
  for (int i = first; i < count; ++i) {
    detail::RecordsetField field;
    field.name = Utf8ToCp1252(TextOrEmpty(sqlite3_column_name(stmt.get(), i)));
    field.kind = ColumnKindFromDeclaredType(TextOrEmpty(sqlite3_column_decltype(stmt.get(), i)));
    const char* table = sqlite3_column_table_name(stmt.get(), i);
    const char* origin = sqlite3_column_origin_name(stmt.get(), i);
    if (keyed && table != nullptr && origin != nullptr && st.table == table) {
      field.origin = origin;
      field.is_key = SameName(field.origin, key_origin);
      int not_null = 0;
      sqlite3_table_column_metadata(db, sqlite3_column_database_name(stmt.get(), i), table, origin,
                                    nullptr, nullptr, &not_null, nullptr, nullptr);
      field.nullable = not_null == 0;
    }
    st.fields.push_back(std::move(field));
  }

  int rc = SQLITE_ROW;
  while ((rc = stmt.Step()) == SQLITE_ROW) {
    Row row;
    row.key = keyed ? sqlite3_column_int64(stmt.get(), 0) : 0;
    row.values.reserve(st.fields.size());
    for (int i = first; i < count; ++i) {
      row.values.push_back(stmt.Column(i, st.fields[static_cast<std::size_t>(i - first)].kind));
    }
    st.rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) {
    // Nothing of a read that failed part way is kept: it would read as rows.
    st.rows.clear();
    st.fields.clear();
    st.table.clear();
    rs.FailRead("Cannot open the recordset: ", detail::EngineErrorText(db, rc));
    return rs;
  }
  st.pending.resize(st.fields.size());
  st.open = true;
  return rs;
}

Recordset Recordset::OpenForwardOnly(std::shared_ptr<detail::SqliteConnection> connection,
                                     std::string_view source, ReadFailure telling) {
  Recordset rs;
  State& st = *rs.s_;
  st.connection = std::move(connection);
  st.telling = telling;
  st.read_sql = std::string(source);
  if (!st.connection) {
    rs.Fail("The database is not open.");
    return rs;
  }
  const LockWait wait(st.connection->handle(), telling);
  const std::string trimmed = vb::Trim(source);
  const std::string sql = Cp1252ToUtf8(TranslateJetSql(
      IsTableName(trimmed) ? "SELECT * FROM " + detail::QuoteName(trimmed) : std::string(source)));
  std::unique_ptr<detail::Statement> stmt = st.connection->TakeStatement(sql);
  std::string error;
  if (!stmt) {
    stmt = std::make_unique<detail::Statement>();
    if (!IsRowQuery(sql) || !stmt->Prepare(st.connection->handle(), sql, &error)) stmt.reset();
  }
  if (!stmt || sqlite3_stmt_readonly(stmt->get()) == 0 || sqlite3_column_count(stmt->get()) == 0) {
    rs.FailRead("Cannot open the recordset: ",
                error.empty() ? std::string("only a SELECT query returns rows") : error);
    return rs;
  }
  for (int i = 0; i < sqlite3_column_count(stmt->get()); ++i) {
    detail::RecordsetField field;
    field.name = Utf8ToCp1252(TextOrEmpty(sqlite3_column_name(stmt->get(), i)));
    field.kind = ColumnKindFromDeclaredType(TextOrEmpty(sqlite3_column_decltype(stmt->get(), i)));
    st.fields.push_back(std::move(field));
  }
  st.forward_only = true;
  st.live = std::move(stmt);
  st.live_sql = sql;
  st.open = true;
  rs.StepLive();
  return rs;
}

bool Recordset::FailRead(std::string_view what, const std::string& reason) {
  if (s_->read_failure.empty()) s_->read_failure = reason;
  return Fail(std::string(what) + reason + ".");
}

// Called once the read's statements are put away, since telling may show a
// box whose loop reads the database again. A forward-only read has read
// well only when it has passed its last row.
void Recordset::TellRead() {
  State& st = *s_;
  const bool first = !st.read_started;
  st.read_started = true;
  if (!st.connection || (!first && st.read_failure.empty() && st.live_row)) return;
  if (st.read_failure.empty()) {
    if (!st.forward_only || !st.live_row) st.connection->ReadSucceeded(st.read_sql, st.telling);
    return;
  }
  // Copies: the box's loop may replace this recordset (the shared one).
  const auto connection = st.connection;
  const std::string sql = st.read_sql;
  const std::string reason = st.read_failure;
  connection->ReadFailed(sql, reason, st.telling);
}

// Past the last row the statement is finished at once, so the pass holds
// no read lock on the file beyond its rows.
bool Recordset::StepLive() {
  const int rc = s_->live->Step();
  s_->live_row = rc == SQLITE_ROW;
  if (s_->live_row) return true;
  const std::string reason =
      rc == SQLITE_DONE ? "" : detail::EngineErrorText(s_->connection->handle(), rc);
  s_->EndLive();
  // The open tells how its first step went, once the recordset is whole.
  if (!reason.empty()) FailRead("Cannot read the next record: ", reason);
  if (s_->read_started) TellRead();
  return reason.empty();
}

bool Recordset::Fail(std::string message) const {
  if (s_ && s_->error.empty()) s_->error = std::move(message);
  return false;
}

bool Recordset::IsOpen() const { return s_ && s_->open; }

bool Recordset::Updatable() const { return IsOpen() && !s_->table.empty(); }

const std::string& Recordset::Error() const {
  static const std::string kNone;
  return s_ ? s_->error : kNone;
}

void Recordset::ClearError() {
  if (s_) s_->error.clear();
}

bool Recordset::Eof() const {
  if (!IsOpen()) {
    Fail("The recordset is closed.");
    return true;
  }
  if (s_->forward_only) return !s_->live_row;
  return s_->position >= s_->rows.size();
}

bool Recordset::MoveNext() {
  if (!IsOpen()) return Fail("The recordset is closed.");
  if (s_->forward_only) return s_->live_row ? StepLive() : Fail("No current record.");
  if (s_->position >= s_->rows.size()) return Fail("No current record.");
  s_->mode = EditMode::None;
  do {
    ++s_->position;
  } while (s_->position < s_->rows.size() && s_->rows[s_->position].deleted);
  return true;
}

bool Recordset::MoveLast() {
  if (!IsOpen()) return Fail("The recordset is closed.");
  if (s_->forward_only) return Fail("This recordset only moves forward.");
  for (std::size_t i = s_->rows.size(); i > 0; --i) {
    if (!s_->rows[i - 1].deleted) {
      s_->mode = EditMode::None;
      s_->position = i - 1;
      return true;
    }
  }
  return Fail("No current record.");
}

Recordset::Row* Recordset::CurrentRow() const {
  if (!IsOpen()) {
    Fail("The recordset is closed.");
    return nullptr;
  }
  if (s_->position >= s_->rows.size()) {
    Fail("No current record.");
    return nullptr;
  }
  Row& row = s_->rows[s_->position];
  if (row.deleted) {
    Fail("The current record has been deleted.");
    return nullptr;
  }
  return &row;
}

int Recordset::FieldIndex(std::string_view name) const {
  const int i = Ordinal(name);
  if (i >= 0) return i;
  Fail("No field named \"" + std::string(name) + "\" in this recordset.");
  return -1;
}

bool Recordset::HasField(std::string_view name) const { return Ordinal(name) >= 0; }

int Recordset::Ordinal(std::string_view name) const {
  if (!IsOpen()) return -1;
  for (std::size_t i = 0; i < s_->fields.size(); ++i)
    if (SameName(s_->fields[i].name, name)) return static_cast<int>(i);
  return -1;
}

Variant Recordset::Field(std::string_view name) const {
  if (!IsOpen()) {
    Fail("The recordset is closed.");
    return {};
  }
  return FieldAt(FieldIndex(name));
}

Variant Recordset::FieldAt(int ordinal) const {
  if (!IsOpen()) {
    Fail("The recordset is closed.");
    return {};
  }
  if (ordinal < 0 || static_cast<std::size_t>(ordinal) >= s_->fields.size()) return {};
  const auto index = static_cast<std::size_t>(ordinal);
  if (s_->forward_only) {
    if (!s_->live_row) {
      Fail("No current record.");
      return {};
    }
    return s_->live->Column(ordinal, s_->fields[index].kind);
  }
  if (s_->mode != EditMode::None && s_->pending[index]) return *s_->pending[index];
  if (s_->mode == EditMode::AddNew) {
    const detail::RecordsetField& field = s_->fields[index];
    if (field.kind == ColumnKind::Boolean && !field.nullable) return Variant(false);
    return {};
  }
  const Row* row = CurrentRow();
  return row != nullptr ? row->values[index] : Variant();
}

bool Recordset::SetField(std::string_view name, const Variant& value) {
  if (!IsOpen()) return Fail("The recordset is closed.");
  const int i = FieldIndex(name);
  if (i < 0) return false;
  const auto index = static_cast<std::size_t>(i);
  const detail::RecordsetField& field = s_->fields[index];
  if (s_->mode == EditMode::None) {
    return Fail("Field \"" + field.name + "\" was written without Edit or AddNew.");
  }
  if (field.origin.empty() || field.is_key) {
    return Fail("Field \"" + field.name + "\" cannot be written.");
  }
  Coercion stored = CoerceForColumn(value, field.kind, field.nullable);
  if (!stored.ok()) {
    return Fail("Field \"" + field.name + "\" cannot take this value: " + stored.error + ".");
  }
  s_->pending[index] = std::move(stored.value);
  return true;
}

bool Recordset::Edit() {
  if (!IsOpen()) return Fail("The recordset is closed.");
  if (!Updatable()) return Fail("This recordset cannot be changed.");
  if (CurrentRow() == nullptr) return false;
  s_->mode = EditMode::Edit;
  s_->pending.assign(s_->fields.size(), std::nullopt);
  return true;
}

bool Recordset::AddNew() {
  if (!IsOpen()) return Fail("The recordset is closed.");
  if (!Updatable()) return Fail("This recordset cannot be changed.");
  s_->mode = EditMode::AddNew;
  s_->pending.assign(s_->fields.size(), std::nullopt);
  return true;
}

bool Recordset::RereadRow(Row& row) const {
  std::string columns;
  std::vector<std::size_t> indexes;
  for (std::size_t i = 0; i < s_->fields.size(); ++i) {
    if (s_->fields[i].origin.empty()) continue;
    if (!columns.empty()) columns += ", ";
    columns += detail::QuoteName(s_->fields[i].origin);
    indexes.push_back(i);
  }
  if (indexes.empty()) return true;
  sqlite3* db = s_->connection->handle();
  detail::Statement stmt;
  std::string error;
  const std::string sql =
      "SELECT " + columns + " FROM " + detail::QuoteName(s_->table) + " WHERE rowid=?";
  if (!stmt.Prepare(db, sql, &error)) return Fail("Cannot read the record again: " + error + ".");
  sqlite3_bind_int64(stmt.get(), 1, row.key);
  const int rc = stmt.Step();
  if (rc != SQLITE_ROW) {
    if (rc == SQLITE_DONE) return true;  // removed meanwhile: keep what we had
    return Fail("Cannot read the record again: " + detail::EngineErrorText(db, rc) + ".");
  }
  for (std::size_t k = 0; k < indexes.size(); ++k) {
    row.values[indexes[k]] = stmt.Column(static_cast<int>(k), s_->fields[indexes[k]].kind);
  }
  return true;
}

bool Recordset::Update() {
  if (!IsOpen()) return Fail("The recordset is closed.");
  if (s_->mode == EditMode::None) return Fail("Update without Edit or AddNew.");
  Row* current = nullptr;
  if (s_->mode == EditMode::Edit && (current = CurrentRow()) == nullptr) return false;

  std::string columns;
  std::string placeholders;
  std::vector<Variant> values;
  for (std::size_t i = 0; i < s_->fields.size(); ++i) {
    if (!s_->pending[i]) continue;
    if (!values.empty()) {
      columns += ", ";
      placeholders += ", ";
    }
    columns += detail::QuoteName(s_->fields[i].origin) + (s_->mode == EditMode::Edit ? "=?" : "");
    placeholders += "?";
    values.push_back(*s_->pending[i]);
  }
  if (s_->mode == EditMode::Edit && values.empty()) {
    s_->mode = EditMode::None;
    return true;
  }

  const std::string table = detail::QuoteName(s_->table);
  std::string sql;
  if (s_->mode == EditMode::Edit) {
    sql = "UPDATE " + table + " SET " + columns + " WHERE rowid=?";
    values.emplace_back(current->key);
  } else if (values.empty()) {
    sql = "INSERT INTO " + table + " DEFAULT VALUES";
  } else {
    sql = "INSERT INTO " + table + " (" + columns + ") VALUES (" + placeholders + ")";
  }
  sqlite3* db = s_->connection->handle();
  detail::Statement stmt;
  std::string error;
  if (!stmt.Prepare(db, sql, &error) || !stmt.BindAll(values, &error)) {
    return Fail("Cannot store the record: " + error + ".");
  }
  const int rc = stmt.Step();
  if (rc != SQLITE_DONE) {
    return Fail("Cannot store the record: " + detail::EngineErrorText(db, rc) + ".");
  }

  if (s_->mode == EditMode::Edit) {
    s_->mode = EditMode::None;
    if (sqlite3_changes(db) == 0) {
      current->deleted = true;
      return Fail("Cannot store the record: it has been deleted.");
    }
    RereadRow(*current);
    return true;
  }
  Row added;
  added.key = sqlite3_last_insert_rowid(db);
  added.values.assign(s_->fields.size(), Variant());
  RereadRow(added);
  const bool at_end = s_->position >= s_->rows.size();
  s_->rows.push_back(std::move(added));
  if (at_end) s_->position = s_->rows.size();
  s_->mode = EditMode::None;
  return true;
}

bool Recordset::Delete() {
  if (!IsOpen()) return Fail("The recordset is closed.");
  if (!Updatable()) return Fail("This recordset cannot be changed.");
  Row* row = CurrentRow();
  if (row == nullptr) return false;
  sqlite3* db = s_->connection->handle();
  detail::Statement stmt;
  std::string error;
  if (!stmt.Prepare(db, "DELETE FROM " + detail::QuoteName(s_->table) + " WHERE rowid=?", &error)) {
    return Fail("Cannot delete the record: " + error + ".");
  }
  sqlite3_bind_int64(stmt.get(), 1, row->key);
  const int rc = stmt.Step();
  if (rc != SQLITE_DONE) {
    return Fail("Cannot delete the record: " + detail::EngineErrorText(db, rc) + ".");
  }
  s_->mode = EditMode::None;
  row->deleted = true;
  if (sqlite3_changes(db) == 0) return Fail("Cannot delete the record: it has been deleted.");
  return true;
}

void Recordset::Close() { s_ = std::make_unique<State>(); }

Variant FieldRef::Value() const { return owner_.Field(name_); }

FieldRef& FieldRef::operator=(const Variant& value) {
  owner_.SetField(name_, value);
  return *this;
}

}  // namespace platform
