// What a calling unit sends while no command runs, handed over as the
// receive loop hands a call-in over (one report, or several whose calls
// ended unseen). The reports must never crash the console, leave both
// buffers empty, and a site's row only ever takes a whole set of sixteen
// flags with the alarm colour.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "site_rows.h"
#include "sites/alarm_report.h"

namespace {

using testkit::Require;

std::int32_t North(app::Console& c) {
  static const std::int32_t id = testkit::AddSite(c, {.name = "North", .site_num = 12});
  return id;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  app::Console& c = testkit::FuzzHarness().console;
  const std::int32_t north = North(c);
  c.st.RxText.assign(reinterpret_cast<const char*>(data), size);
  sites::ProcessAlarmReport(c);
  Require(c.st.RxText.empty() && c.st.RxBuffer.empty());
  const std::string alarms = testkit::SiteField(c, north, "Alarms");
  const std::string colour = testkit::SiteField(c, north, "SiteColor");
  Require((alarms.empty() && colour == "0") || (sites::WellFormedAlarmFlags(alarms) && colour == "2"));
  // The operator closes the windows (one per report); the next report
  // releases them.
  for (ui::Form* form : c.AllForms())
    if (form->Name() == "frmAlarm" && form->IsLoaded()) form->Unload();
  if (!alarms.empty()) Require(!c.Db.Execute("UPDATE tSites SET Alarms=NULL, SiteColor=0").has_value());
  return 0;
}
