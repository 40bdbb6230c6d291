// A console whose installation screen holds a sample unit's parameters, as
// after a session's dump, with the serial port open so that every command
// the screen starts can be read off the wire.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/frm_main.h"
#include "console_harness.h"
#include "dump_loader.h"
#include "gtest_operator.h"
#include "unit/frm_install.h"
#include "unit/frm_security.h"

namespace testkit {

class InstallScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
    ASSERT_EQ(LoadTextDump(h.console, PlainDump(values)), "");
    h.serial.SetPortOpen(true);
    h.console.st.Online = true;
  }
  void TearDown() override { ExpectScriptDone(h.rt); }

  app::Console& C() { return h.console; }
  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }

  // The screen shown with page alone on it, as the toolbar shows it.
  void ShowPage(int page) {
    h.console.st.InstallPage = page;
    for (auto& [index, frame] : Screen().fInstall) frame->Visible = index == page;
    Screen().Show();
  }

  // The dialog asked for key (the page InstallPage); the operator types the
  // three fields and presses OK, and Cancel too when the dialog is still
  // open afterwards.
  void GiveCombination(const std::string& key, int page, std::array<std::string, 3> fields) {
    h.console.st.CurrentKey = key;
    h.console.st.InstallPage = page;
    h.rt.Operator().OnModal("frmSecurity", [fields](ui::Form& f) {
      auto& dialog = static_cast<unit::frmSecurity&>(f);
      for (int i = 0; i < 3; ++i) dialog.txtComb[i].Text = fields[static_cast<std::size_t>(i)];
      dialog.cmdOK.Press();
      if (dialog.Visible()) dialog.cmdCancel.Press();
    });
    h.console.Get<unit::frmSecurity>().Show(true, &Main());
  }
  void UnlockControls() { GiveCombination("Status", unit::kPageStatus, {"11", "22", "33"}); }
  void UnlockInstall() { GiveCombination("Install", unit::kPageInstall, {"12", "34", "56"}); }

  // Everything written to the port from now on, once the paced sending ran.
  std::string SentAfter(const std::function<void()>& act, std::int64_t ms = 1000) {
    h.serial.ClearWrites();
    act();
    h.rt.RunFor(ms);
    return h.serial.AllWritten();
  }
  bool Enabled(int address) { return Screen().udProp[address].Enabled(); }

  ConsoleHarness h;
  ParameterValues values = SampleParameters(3, 18, 2);
};

}  // namespace testkit
