#include "platform/sql_translate.h"

#include <cctype>

#include "common/vb.h"

namespace platform {
namespace {

bool IsWordStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalpha(u) != 0 || c == '_' || u >= 0x80;
}

bool IsWordChar(char c) {
  return IsWordStart(c) || std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '$';
}

// End of a quoted run that starts at i with `open` and ends with `close`;
// a doubled closing quote stands for itself. An unclosed run ends the text.
std::size_t QuotedEnd(std::string_view s, std::size_t i, char close) {
  std::size_t j = i + 1;
  while (j < s.size()) {
    if (s[j] == close) {
      if (close != ']' && j + 1 < s.size() && s[j + 1] == close) {
        j += 2;
        continue;
      }
      return j + 1;
    }
    ++j;
  }
  return s.size();
}

// End of the token that starts at i, when it is one that is copied as a
// whole (quoted text, bracketed name, comment, number); nothing otherwise.
std::optional<std::size_t> OpaqueTokenEnd(std::string_view s, std::size_t i) {
  const char c = s[i];
  if (c == '\'' || c == '"' || c == '`') return QuotedEnd(s, i, c);
  if (c == '[') return QuotedEnd(s, i, ']');
  if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
    const std::size_t eol = s.find('\n', i);
    return eol == std::string_view::npos ? s.size() : eol;
  }
  if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
    const std::size_t end = s.find("*/", i + 2);
    return end == std::string_view::npos ? s.size() : end + 2;
  }
  if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
    std::size_t j = i + 1;
    while (j < s.size() && (IsWordChar(s[j]) || s[j] == '.')) ++j;
    return j;
  }
  return std::nullopt;
}

// The word replaced when it stands alone, or nothing.
std::optional<std::string_view> BooleanLiteral(std::string_view word, char before, char after) {
  if (before == '.' || before == '@' || before == ':' || before == '$' || after == '.') {
    return std::nullopt;
  }
  const std::string upper = vb::UCase(word);
  if (upper == "TRUE") return "1";
  if (upper == "FALSE") return "0";
  return std::nullopt;
}

std::size_t SkipBlanks(std::string_view s, std::size_t i) {
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])) != 0) ++i;
  return i;
}

std::string_view WordAt(std::string_view s, std::size_t i) {
  std::size_t j = i;
  while (j < s.size() && IsWordChar(s[j])) ++j;
  return s.substr(i, j - i);
}

}  // namespace

std::string TranslateJetSql(std::string_view jet_sql) {
  std::string out;
  out.reserve(jet_sql.size());
  std::size_t i = 0;
  while (i < jet_sql.size()) {
    if (const auto end = OpaqueTokenEnd(jet_sql, i)) {
      out.append(jet_sql.substr(i, *end - i));
      i = *end;
    } else if (IsWordStart(jet_sql[i])) {
      const std::string_view word = WordAt(jet_sql, i);
      const char before = i > 0 ? jet_sql[i - 1] : ' ';
      const std::size_t next = i + word.size();
      const char after = next < jet_sql.size() ? jet_sql[next] : ' ';
      const auto literal = BooleanLiteral(word, before, after);
      out.append(literal ? *literal : word);
      i = next;
    } else {
      out += jet_sql[i++];
    }
  }
  return out;
}

std::optional<std::string> WithRowKeyColumn(std::string_view sql) {
  const std::size_t start = SkipBlanks(sql, 0);
  if (start >= sql.size() || !IsWordStart(sql[start])) return std::nullopt;
  const std::string_view keyword = WordAt(sql, start);
  if (vb::UCase(keyword) != "SELECT") return std::nullopt;
  const std::size_t after_keyword = start + keyword.size();
  const std::size_t next = SkipBlanks(sql, after_keyword);
  if (next < sql.size() && IsWordStart(sql[next])) {
    const std::string quantifier = vb::UCase(WordAt(sql, next));
    if (quantifier == "DISTINCT" || quantifier == "ALL") return std::nullopt;
  }
  std::string out(sql.substr(0, after_keyword));
  out += " rowid,";
  if (after_keyword < sql.size() && std::isspace(static_cast<unsigned char>(sql[after_keyword])) == 0) {
    out += ' ';
  }
  out.append(sql.substr(after_keyword));
  return out;
}

bool IsRowQuery(std::string_view sql) {
  const std::size_t start = SkipBlanks(sql, 0);
  if (start >= sql.size() || !IsWordStart(sql[start])) return false;
  const std::string keyword = vb::UCase(WordAt(sql, start));
  return keyword == "SELECT" || keyword == "WITH";
}

bool IsTableName(std::string_view source) {
  if (source.empty() || std::isdigit(static_cast<unsigned char>(source[0])) != 0) return false;
  for (const char c : source) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_') return false;
  }
  return true;
}

}  // namespace platform
