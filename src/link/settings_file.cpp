#include "link/settings_file.h"

#include "common/vb.h"

namespace lnk {

namespace {

// Splits on CR LF, LF or a lone CR, as lines written by any editor come.
std::string_view NextLine(std::string_view& rest) {
  size_t end = rest.find_first_of("\r\n");
  std::string_view line = rest.substr(0, end);
  if (end == std::string_view::npos) {
    rest = {};
  } else {
    size_t skip = (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n') ? 2 : 1;
    rest.remove_prefix(end + skip);
  }
  return line;
}

// The file holds one setting a line, so no line break may reach it, whatever
// a dialog or a paste let into a record: the breaks are dropped, as a
// one-line box drops them.
std::string OnOneLine(const std::string& text) {
  std::string line = text;
  std::erase_if(line, [](char ch) { return ch == '\r' || ch == '\n'; });
  return line;
}

}  // namespace

std::optional<std::string> SettingsTable::Load(std::string_view file_text) {
  SettingsTable fresh;
  std::string_view rest = file_text;
  int i = 1;
  bool closed = false;
  while (!rest.empty()) {
    std::string_view line = NextLine(rest);
    if (line == "***") {
      closed = true;
      break;
    }
    // Blank lines and lines without a closing bracket carry no setting.
    size_t bracket = line.find(']');
    if (line.empty() || bracket == std::string_view::npos) continue;
    if (i > kMaxSettings)
      return "the settings file holds more than " + std::to_string(kMaxSettings) + " settings";
    SettingRec& rec = fresh.AppSettings[static_cast<size_t>(i)];
    rec.SettingName = std::string(line.substr(1, bracket >= 1 ? bracket - 1 : 0));
    // The value follows the first "=" after the key's closing bracket, so a
    // key that itself holds "=" reads back as it was written. A key without
    // "=" keeps an empty value (written back as "[key]=").
    size_t eq = line.find('=', bracket);
    rec.SettingText = eq == std::string_view::npos ? std::string() : std::string(line.substr(eq + 1));
    rec.SettingFlag = rec.SettingText == "True";
    rec.SettingValue = vb::CSng(vb::Val(rec.SettingText));
    ++i;
  }
  if (!closed) return "the settings file has no closing \"***\" line";
  fresh.SettingCount = i - 1;
  *this = fresh;
  return std::nullopt;
}

std::string SettingsTable::Save() const {
  std::string out;
  for (int i = 1; i <= SettingCount; ++i) {
    const SettingRec& rec = AppSettings[static_cast<size_t>(i)];
    out += "[" + OnOneLine(rec.SettingName) + "]=" + OnOneLine(rec.SettingText) + "\r\n";
  }
  out += "***\r\n";
  return out;
}

int SettingsTable::Find(std::string_view name) {
  int found = 0;
  for (int i = 1; i <= SettingCount; ++i)
    if (AppSettings[static_cast<size_t>(i)].SettingName == name) found = i;
  CurrentSetting = found;
  // A failed lookup always reads as empty, whatever was written there before.
  if (found == 0) AppSettings[0] = SettingRec{};
  return found;
}

void SettingsTable::SettingNumToText() {
  SettingRec& rec = Current();
  rec.SettingText = vb::CStrSingle(rec.SettingValue);
  rec.SettingFlag = false;
}

void SettingsTable::SettingBoolToText() {
  SettingRec& rec = Current();
  rec.SettingText = rec.SettingFlag ? "True" : "False";
  rec.SettingValue = 0;
}

void SettingsTable::SettingTextToNum() {
  SettingRec& rec = Current();
  rec.SettingValue = vb::CSng(vb::Val(rec.SettingText));
  rec.SettingFlag = rec.SettingText == "True";
}

}  // namespace lnk
