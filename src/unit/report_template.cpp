#include "unit/report_template.h"

#include "common/vb.h"

namespace unit {

namespace {

ReportItem Column(std::string_view text) {
  return {ReportItem::Kind::Column, vb::Val(text), {}};
}

ReportItem Field(std::string_view inside) {
  if (!inside.empty() && (inside[0] == '*' || inside[0] == '@'))
    return {inside[0] == '*' ? ReportItem::Kind::Row : ReportItem::Kind::Alarm,
            vb::Val(inside.substr(1)), {}};
  return {ReportItem::Kind::Key, 0, std::string(inside)};
}

}  // namespace

std::vector<ReportItem> ParseReportLine(std::string_view line) {
  std::vector<ReportItem> items;
  std::size_t i = line.find('[');
  items.push_back(Column(line.substr(0, i)));
  while (i < line.size()) {
    if (line[i] == '[') {
      const std::size_t close = line.find(']', i + 1);
      const std::size_t end = close == std::string_view::npos ? line.size() : close;
      items.push_back(Field(line.substr(i + 1, end - i - 1)));
      i = end + 1;
    } else {
      const std::size_t next = line.find('[', i);
      items.push_back(Column(line.substr(i, next == std::string_view::npos ? line.npos : next - i)));
      i = next;
    }
  }
  return items;
}

std::vector<std::string> ReportTemplateLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (lf == std::string_view::npos) break;
    text.remove_prefix(lf + 1);
  }
  return lines;
}

}  // namespace unit
