// A recordset of the site database, used the way the console has always used
// one: opened from a query text or a table name, positioned on its first row
// (or at end-of-file when nothing matched), stepped with MoveNext until Eof,
// fields read by name, rows changed with Edit / AddNew, field writes and
// Update, removed with Delete, released with Close.
//
// The rows are read whole when the recordset opens and no statement stays
// open behind it. So every Update, AddNew and Delete is committed (and on the
// disk) when it returns, and a recordset kept open for long, such as the
// callout list, holds no lock on the file. The values are those of the moment
// the recordset opened; rows changed through this recordset are read again.
//
// A forward-only recordset (Database::OpenForwardOnly) reads each row from
// the query as it steps to it and only moves forward; nothing in it can be
// changed. It holds the file's read lock until it has passed its last row
// or is closed, so it is for a pass over every row that does not yield.
//
// Failures never throw and never crash the caller. Each operation that fails
// returns false (a field read returns Null) and keeps its reason in Error();
// the first reason is kept until the recordset is opened again, closed or
// ClearError is called, so a handler may do its work and look once at the end.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/variant.h"

namespace platform {

class Database;
class Recordset;

// Who tells the operator of a read that failed (the open, or a forward-only
// step), so that no failure reads as an empty result.
enum class ReadFailure {
  // The database's failure handler (see Database::SetReadFailureHandler).
  Told,
  // The caller, in its own words, from Error().
  ByCaller,
  // The handler, for a read run again and again by a timer: it waits only
  // briefly for another program's lock (the next run tries again), and a
  // failure is told once, not at every run, until the same query reads.
  Repeating,
};
// How long a repeating read waits for another program's lock.
inline constexpr int kRepeatingReadWaitMs = 50;
namespace detail {
class SqliteConnection;
}

// One field of the current row: Fields("SiteName") reads it, and assigning
// to it writes the field of the row being edited or added.
class FieldRef {
 public:
  FieldRef(Recordset& owner, std::string_view name) : owner_(owner), name_(name) {}
  Variant Value() const;
  operator Variant() const { return Value(); }
  bool IsNull() const { return Value().IsNull(); }
  std::string ToText() const { return Value().ToText(); }
  double ToDouble() const { return Value().ToDouble(); }
  std::int32_t ToLong() const { return Value().ToLong(); }
  bool ToBool() const { return Value().ToBool(); }
  // The value is converted as the column's type wants (see field_coercion.h).
  FieldRef& operator=(const Variant& value);
  // rs.Fields("A") = rs.Fields("B") copies the value, not the reference.
  FieldRef& operator=(const FieldRef& other) { return *this = other.Value(); }
  FieldRef(const FieldRef&) = default;

 private:
  Recordset& owner_;
  std::string name_;
};

class Recordset {
 public:
  Recordset();  // closed
  ~Recordset();
  Recordset(Recordset&& other) noexcept;
  // Replaces whatever the recordset held, open or closed.
  Recordset& operator=(Recordset&& other) noexcept;
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  bool IsOpen() const;
  // True once no current row remains, and for a closed recordset (so a loop
  // over a recordset that failed to open ends at once).
  bool Eof() const;
  // Steps to the next row (to end-of-file after the last). Fails at
  // end-of-file. A pending Edit or AddNew is dropped, as a move dropped it.
  bool MoveNext();
  // Steps to the last row; fails when there is none.
  bool MoveLast();

  // Field by name, in any letter case ("sitename" finds SiteName). Null for a
  // column never written, and Null with an error at end-of-file, on a
  // deleted row or for a name the query does not hold. While a row is being
  // edited or added, its new values.
  Variant Field(std::string_view name) const;
  FieldRef Fields(std::string_view name) { return FieldRef(*this, name); }
  // The recordset's query holds a field of that name (no error when not).
  bool HasField(std::string_view name) const;
  // The position of a field in the query (0 first), -1 when it holds none
  // of that name; FieldAt reads it as Field does. A pass over many rows
  // finds its fields once instead of by name on every row.
  int Ordinal(std::string_view name) const;
  Variant FieldAt(int ordinal) const;
  // Only between Edit or AddNew and Update; the row key (SiteID) and
  // computed columns cannot be written.
  bool SetField(std::string_view name, const Variant& value);

  bool Edit();    // the current row
  bool AddNew();  // a new row; unset columns stay Null (Yes/No ones False)
  // Stores the edited or added row in the file. The auto-number of an added
  // row is assigned here. An added row joins the end of the recordset and the
  // current position stays where it was.
  bool Update();
  // Removes the current row from the file. The position stays on it (it
  // reads as deleted) until the next move.
  bool Delete();
  void Close();

  // False for a query over more than one table or with DISTINCT.
  bool Updatable() const;

  const std::string& Error() const;
  void ClearError();

 private:
  friend class Database;
  struct State;
  struct Row;
  static Recordset Open(std::shared_ptr<detail::SqliteConnection> connection,
                        std::string_view source, const std::vector<Variant>& values,
                        ReadFailure telling);
  static Recordset OpenForwardOnly(std::shared_ptr<detail::SqliteConnection> connection,
                                   std::string_view source, ReadFailure telling);
  // Keeps the reason of a read that failed, and tells how the read ended.
  bool FailRead(std::string_view what, const std::string& reason);
  void TellRead();
  bool StepLive();
  explicit Recordset(std::unique_ptr<State> state);
  bool Fail(std::string message) const;
  // The current row, or a failure (closed, end-of-file, deleted).
  Row* CurrentRow() const;
  int FieldIndex(std::string_view name) const;
  bool RereadRow(Row& row) const;

  std::unique_ptr<State> s_;
};

}  // namespace platform
