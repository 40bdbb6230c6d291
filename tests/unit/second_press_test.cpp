// One command at a time on the link: a control that would start a command
// while another runs is refused, against the simulated unit on virtual
// time. Each case presses a control during a session, then a second one
// while the first command runs; the unit must take the first command's
// commands alone, and the screens must show what they show after the first
// press on its own.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/frm_message.h"
#include "app/frm_progress.h"
#include "app/frm_send_progress.h"
#include "common/vb.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "simulated_site.h"
#include "unit/frm_install.h"
#include "unit/install_pages.h"
#include "unit/modem_init_string.h"

namespace {

using sim::Dialect;

// A session with a simulated unit (a text unit on the cable, a V4 unit on
// the network), one control pressed at 30 s and, when asked, a second one
// a little later; hung up at 120 s.
class PressSession {
 public:
  PressSession() { testkit::ReportToGtest(h.rt); }

  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  app::frmProgress& Online() { return h.console.Get<app::frmProgress>(); }
  sim::Unit& Unit() { return site->Unit(); }

  // The installation screen shown with this page alone on it.
  void ShowPage(int page) {
    h.console.st.InstallPage = page;
    for (auto& [index, frame] : Screen().fInstall) frame->Visible = index == page;
    Screen().Show();
  }

  // A control of the installation screen pressed on its page, offered as a
  // session with the access level open offers it.
  template <typename Control>
  void PressOnPage(int page, Control& control) {
    ShowPage(page);
    control.Enabled = true;
    control.Press();
  }

  // The commands the unit took from the first press on.
  std::vector<std::string> Run(Dialect dialect, const std::function<void(PressSession&)>& first,
                               std::int64_t second_after_ms,
                               const std::function<void(PressSession&)>& second) {
    EXPECT_TRUE(h.Start());
    const bool v4 = dialect == Dialect::kV4;
    site = std::make_unique<testkit::SimulatedSite>(
        h, sim::UnitConfig{.dialect = dialect, .firmware = 40100, .address = 7});
    if (v4) {
      h.registry.SaveSetting("Settings", "V4", "1");
      h.console.st.V4Mode = true;
      site->AttachTcp();
      h.rt.Operator().ExpectInputBox("~Unit Address to establish", "7");
    } else {
      site->AttachSerial(/*modem=*/false);
    }
    std::size_t before = 0;
    h.rt.After(30'000, [&] {
      before = Unit().Commands().size();
      if (second) h.rt.After(second_after_ms, [&] { second(*this); });
      first(*this);
    });
    h.rt.After(120'000, [this] { Main().mnuDisconnect.Choose(); });
    h.rt.After(125'000, [this] { h.console.st.StopReceive = true; });
    (v4 ? Main().mnuConnNet : Main().mnuDirect).Choose();
    testkit::ExpectScriptDone(h.rt);
    const auto& all = Unit().Commands();
    return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
  }

  // What the online window and the installation screen show of the unit.
  std::vector<std::string> Shown() {
    std::vector<std::string> texts;
    for (ui::TextBox* box : {&Online().txtAHnet, &Online().txtSOC, &Online().txtVoltsBatt,
                             &Online().txtAHin, &Online().txtAHout, &Online().txtCurrentPV,
                             &Screen().txtAHnet, &Screen().txtSOC, &Screen().txtBattVolts})
      texts.push_back(box->Text());
    for (auto& [address, box] : Screen().txtProp) texts.push_back(box->Text());
    texts.push_back(Screen().lblEqState.Caption());
    for (ui::Image* lamp : {&Screen().imgEQU, &Screen().imgEqualization})
      texts.push_back(Screen().LampOn(*lamp) ? "on" : "off");
    return texts;
  }

  testkit::ConsoleHarness h;
  std::unique_ptr<testkit::SimulatedSite> site;
};

// The init string's bytes as the unit holds its region (from 227 or 228 to
// 255): the text, then zeros.
int InitStringByte(const std::string& text, int i) {
  return i < static_cast<int>(text.size()) ? static_cast<unsigned char>(text[static_cast<std::size_t>(i)]) : 0;
}
int InitStringAddress(PressSession& s) {
  return unit::ModemInitTextAddress(s.h.console.param.GenBattSafeMaint,
                                    s.h.console.param.FirmwareVersion);
}

// Control pressed while command X runs: the commands the unit takes, and the
// screens as after the first press alone.
TEST(SecondPress, IsRefusedWhileACommandRunsAndChangesNothing) {
  const std::string init_string = "ATZ0";
  const struct {
    const char* name;
    Dialect dialect;
    std::function<void(PressSession&)> first;
    std::int64_t after_ms;
    std::function<void(PressSession&)> second;
    std::vector<std::string> commands;
    std::function<void(PressSession&)> check;
  } cases[] = {
      {"Update twice on the online window", Dialect::kText,
       [](PressSession& s) { s.Online().cmdUpdate.Press(); }, 30,
       [](PressSession& s) { s.Online().cmdUpdate.Press(); }, {"U", "V"}, {}},
      {"Manual Equalize while the status is read", Dialect::kText,
       [](PressSession& s) {
         s.ShowPage(unit::kPageStatus);
         s.Screen().cmdUpdate.Press();
       },
       100,
       [](PressSession& s) {
         s.Screen().cmdEqualize.Enabled = true;
         s.Screen().cmdEqualize.Press();
       },
       {"U", "V"},
       [](PressSession& s) { EXPECT_FALSE(s.Unit().Status().equalize); }},
      {"an option pair while the status is read", Dialect::kText,
       [](PressSession& s) { s.Online().cmdUpdate.Press(); }, 100,
       [](PressSession& s) { s.PressOnPage(unit::kPageControls, s.Screen().optEqualization[1]); },
       {"U", "V"},
       [](PressSession& s) {
         EXPECT_FALSE(s.Screen().optEqualization[1].Value()) << "back to what the unit has";
       }},
      {"Refresh 3.5 s into the modem init string", Dialect::kText,
       [init_string](PressSession& s) {
         s.ShowPage(unit::kPageFactory);
         s.Screen().txtModemInit.Text = init_string;
         s.Screen().cmdChangeInit.Enabled = true;
         s.Screen().cmdChangeInit.Press();
       },
       3500, [](PressSession& s) { s.Screen().cmdRefresh2.Press(); }, {},
       [init_string](PressSession& s) {
         for (int a = InitStringAddress(s); a <= 255; ++a)
           EXPECT_EQ(s.Unit().Memory(a), InitStringByte(init_string, a - InitStringAddress(s))) << a;
         EXPECT_EQ(s.h.console.IfLoaded<app::frmSendProgress>(), nullptr) << "closed at its end";
       }},
      {"a parameter's S button while a download is about to start", Dialect::kText,
       [](PressSession& s) {
         s.ShowPage(unit::kPageInstall);
         s.Screen().cmdRefresh2.Press();
       },
       1000,
       [](PressSession& s) {
         s.Screen().udProp[13].Value = s.Screen().udProp[13].Value() + 1;
         s.Screen().cmdProp[13].Visible = true;
         s.Screen().cmdProp[13].Press();
         EXPECT_TRUE(s.Screen().cmdProp[13].Visible()) << "still offered";
       },
       {"D", "U", "V"}, {}},
      {"Update while a V4 clock write waits for its answer", Dialect::kV4,
       [](PressSession& s) { s.PressOnPage(unit::kPageStatus, s.Screen().cmdClock); },
       10, [](PressSession& s) { s.Online().cmdUpdate.Press(); }, {"V4 T"}, {}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.name);
    std::vector<std::string> shown_alone;
    {
      PressSession alone;
      alone.Run(t.dialect, t.first, 0, {});
      shown_alone = alone.Shown();
    }
    PressSession s;
    const std::vector<std::string> taken = s.Run(t.dialect, t.first, t.after_ms, t.second);
    std::vector<std::string> expected = t.commands;
    if (expected.empty()) {  // the init string: one "Ss" per byte of its region
      for (int a = InitStringAddress(s); a <= 255; ++a) {
        expected.push_back("Ss" + vb::Format(a, "000") +
                           vb::Format(InitStringByte(init_string, a - InitStringAddress(s)), "000"));
      }
    }
    EXPECT_EQ(taken, expected);
    EXPECT_EQ(s.Shown(), shown_alone);
    EXPECT_NE(s.Online().txtLog.Text().find("Not sent: the unit has not finished the command"),
              std::string::npos);
    if (t.check) t.check(s);
  }
}

}  // namespace
