// What the settings dialog's update and callout boxes switch on and off, as
// loaded and when their check boxes change.
#include <gtest/gtest.h>

#include <string>

#include "app/frm_settings.h"
#include "console_harness.h"
#include "gtest_operator.h"

namespace {

constexpr ui::Color kOn = 0x80000009;   // the window colour of a box in use
constexpr ui::Color kOff = 0x8000000A;  // greyed

// One letter per state: E enabled / d disabled, then the back colour + or -.
std::string State(const ui::Control& c, ui::Color back) {
  return std::string(c.Enabled() ? "E" : "d") + (back == kOn ? "+" : back == kOff ? "-" : "?");
}

std::string Callout(app::frmSettings& d) {
  std::string days;
  for (auto& [index, box] : d.chkDay) days += box->Enabled() ? "E" : "d";
  return State(d.udHour, d.txtTime.BackColor()) + (d.udMin.Enabled() ? "E" : "d") + " " +
         (d.optDays[0].Enabled() ? "E" : "d") + (d.optDays[1].Enabled() ? "E" : "d") +
         (d.optDays[0].Value() ? " all " : " some ") + days;
}

TEST(SettingsDialogStates, UpdateAndCalloutBoxesFollowTheirCheckBoxes) {
  const struct {
    const char* update;   // "chkAutoUpdate" stored
    const char* callout;  // "chkAutoCallout" stored
    const char* all_days;
    std::string update_box;  // txtUpdate as loaded
    std::string callout_block;
  } cases[] = {
      // Loaded off: the design's greyed boxes; the spinners are not switched off.
      {"0", "0", "True", "d-", "E+E dd all ddddddd"},
      // Loaded on: ticking by the load runs the handlers.
      {"1", "1", "True", "E+", "E+E EE all ddddddd"},
      {"1", "1", "False", "E+", "E+E EE some EEEEEEE"},
  };
  for (const auto& t : cases) {
    testkit::ConsoleHarness h;
    testkit::ReportToGtest(h.rt);
    h.SetSetting("chkAutoUpdate", t.update);
    h.SetSetting("chkAutoCallout", t.callout);
    h.SetSetting("optCalloutAllDays", t.all_days);
    ASSERT_TRUE(h.Start());
    auto& d = h.console.Get<app::frmSettings>();
    EXPECT_EQ(State(d.txtUpdate, d.txtUpdate.BackColor()), t.update_box) << t.update;
    EXPECT_EQ(Callout(d), t.callout_block) << t.callout << t.all_days;

    // The block is hidden by design, so the other way is set as code sets it.
    d.chkUpdate.Value = ui::vbChecked - d.chkUpdate.Value();
    EXPECT_EQ(State(d.txtUpdate, d.txtUpdate.BackColor()), t.update_box == "E+" ? "d-" : "E+");
    d.chkCallout.Value = ui::vbChecked - d.chkCallout.Value();
    if (d.chkCallout.Value() == ui::vbChecked) {
      EXPECT_EQ(Callout(d), "E+E EE all ddddddd");
      d.optDays[1].Value = true;
      EXPECT_EQ(Callout(d), "E+E EE some EEEEEEE");
    } else {
      EXPECT_EQ(Callout(d), "d-d dd all ddddddd");
    }
    d.Unload();
  }
}

}  // namespace
