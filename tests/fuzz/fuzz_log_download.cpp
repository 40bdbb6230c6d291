// The unit's "L" reply into the data table, as the reply handler stores it.
// Two properties over any reply:
// - a reply cut anywhere stores nothing the whole reply would not: every day
//   stored from the cut reply is stored from the whole one with the same
//   values, so no day keeps a number cut short;
// - a stored day is never changed: the whole reply over days already held
//   (with values no reply gives) leaves each of them as it was.
//
// Input: where the reply is cut (first byte), then the reply.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "fuzz_support.h"
#include "link/command_table.h"
#include "link/log_download.h"
#include "sites/log_columns.h"

namespace {

using testkit::Require;

constexpr std::int16_t kFromCut = 1, kFromWhole = 2, kOverHeld = 3;
constexpr const char* kHeldValue = "-99999";  // no token of a reply reads as this

// Each stored day of the unit: its fourteen values as text, by day key.
std::map<std::string, std::string> Days(app::Console& c, std::int16_t unit) {
  std::map<std::string, std::string> days;
  auto rs = c.Db.OpenRecordset("SELECT * FROM tData WHERE SiteNum=? ORDER BY DataDate",
                             {static_cast<std::int32_t>(unit)});
  for (; !rs.Eof(); rs.MoveNext()) {
    std::string values;
    for (const char* column : sites::kLogValueColumns) values += rs.Field(column).ToText() + " ";
    days[rs.Field("DataDate").ToText()] = values;
  }
  return days;
}

void Download(app::Console& c, std::int16_t unit, const std::string& reply) {
  c.st.SelectedSiteNum = unit;
  c.st.CmdState = lnk::kLogDownload;
  c.st.RxBuffer = reply;
  lnk::OnLogReply(c);
  c.st.CmdState = lnk::kIdle;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  app::Console& c = testkit::FuzzHarness().console;
  Require(!c.Db.Execute("DELETE FROM tData").has_value());
  const std::string whole(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string cut = whole.substr(0, whole.size() * data[0] / 255);

  Download(c, kFromCut, cut);
  Download(c, kFromWhole, whole);
  const auto from_cut = Days(c, kFromCut);
  const auto from_whole = Days(c, kFromWhole);
  for (const auto& [day, values] : from_cut) {
    const auto same = from_whole.find(day);
    Require(same != from_whole.end() && same->second == values);
  }

  // The days the cut reply gave are held already, with other values.
  for (const auto& [day, values] : from_cut) {
    std::string sql = "INSERT INTO tData (SiteNum, DataDate";
    for (const char* column : sites::kLogValueColumns) sql += std::string(", ") + column;
    sql += ") VALUES (" + std::to_string(kOverHeld) + ", " + day;
    for (int i = 0; i < sites::kLogValueCount; ++i) sql += std::string(", ") + kHeldValue;
    Require(!c.Db.Execute(sql + ")").has_value());
  }
  std::string held;
  for (int i = 0; i < sites::kLogValueCount; ++i) held += std::string(kHeldValue) + " ";
  Download(c, kOverHeld, whole);
  const auto over_held = Days(c, kOverHeld);
  for (const auto& [day, values] : from_whole) {
    const auto kept = over_held.find(day);
    Require(kept != over_held.end());
    Require(from_cut.count(day) ? kept->second == held : kept->second == values);
  }
  Require(over_held.size() == from_whole.size());
  return 0;
}
