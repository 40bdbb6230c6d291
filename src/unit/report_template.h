// The line format of the installation report's templates. A line is a
// sequence of groups: a column number, then one or more fields in square
// brackets that print one after another from that column. A field is "*n"
// (the text of parameter row n), "@n" (an alarm marker) or a key naming a
// value; a key the report does not know prints itself, so plain captions are
// written as bracketed text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace unit {

struct ReportItem {
  enum class Kind { Column, Row, Alarm, Key };
  Kind kind = Kind::Key;
  double number = 0;  // Column, Row, Alarm: the number (Val of its text)
  std::string key;    // Key: the text between the brackets
  friend bool operator==(const ReportItem&, const ReportItem&) = default;
};

// The items of one non-empty template line, in order. The text before the
// first "[" is the first column; text between a "]" and the next "[" (or the
// line's end) is a column. A line without "[" is one column and prints
// nothing; a field without its "]" runs to the end of the line.
std::vector<ReportItem> ParseReportLine(std::string_view line);

// The template's lines: split at line feeds, a carriage return before one
// dropped.
std::vector<std::string> ReportTemplateLines(std::string_view text);

}  // namespace unit
