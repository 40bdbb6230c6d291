// The program's query texts are written for the original database engine
// (Jet). SQLite reads them as they stand but for a few forms; this is the one
// place where those are rewritten, token by token, never inside a quoted
// text or a bracketed name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The Boolean literals True and False (any case, standing alone as words)
// become 1 and 0, which is how Yes/No columns are stored. Everything else is
// copied unchanged: quoted texts '...' and "...", names in [...] or `...`,
// comments, parameters (@True, :True, $True) and qualified names (t.True).
// Translating a translated text changes nothing more.
std::string TranslateJetSql(std::string_view jet_sql);

// For a SELECT (not DISTINCT or ALL): the same query with the row key
// ("rowid") put in front of its result columns, so that the rows it returns
// can be edited and deleted again. Nothing for any other text.
std::optional<std::string> WithRowKeyColumn(std::string_view sql);

// True when the text is a query that returns rows: its first word is SELECT
// or WITH. Only such texts open a recordset.
bool IsRowQuery(std::string_view sql);

// True when the source of a recordset is a bare table name ("tSites") rather
// than a query: letters, digits and "_", not starting with a digit.
bool IsTableName(std::string_view source);

}  // namespace platform
