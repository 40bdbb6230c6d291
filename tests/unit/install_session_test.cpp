// A session with the simulated unit, on virtual time, in both dialects: the
// operator unlocks a level with the unit's own combination and changes its
// parameters, its clock and its modem init string through the installation
// screen, and the unit's memory shows what arrived.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/frm_main.h"
#include "app/frm_send_progress.h"
#include "common/vb.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "simulated_site.h"
#include "site_rows.h"
#include "unit/access_levels.h"
#include "unit/frm_install.h"
#include "unit/frm_security.h"
#include "unit/parameter_writes.h"

namespace {

using sim::Dialect;

class InstallSession : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    h.rt.Operator().AllowMsgBox("~Data boundary error(s):");
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  void Begin(sim::UnitConfig unit) {
    ASSERT_TRUE(h.Start());
    site_id = testkit::AddSite(h.console, row);
    testkit::SelectSite(h.console, site_id, row);
    h.console.cmd.Cmd[lnk::kDial] = "ATDT5550100\r";
    site = std::make_unique<testkit::SimulatedSite>(h, unit);
    site->AttachSerial(/*modem=*/true);
  }
  // The operator's steps, each at its time after the call began (the first
  // once the unit's dump and status are in); the loop ends at stop_ms.
  void Session(std::vector<std::pair<std::int64_t, std::function<void()>>> steps,
               std::int64_t stop_ms) {
    for (auto& [at, step] : steps) h.rt.After(at, std::move(step));
    h.rt.After(stop_ms, [this] { h.console.st.StopReceive = true; });
    lnk::StartModemCall(h.console);
  }

  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  // A write of bytes from address on, as the screens start one.
  void Write(int address, const std::string& bytes) {
    h.console.st.WriteData = bytes;
    h.console.st.WriteAddress = address;
    unit::SendSetParameter(h.console);
  }
  sim::Unit& Unit() { return site->Unit(); }

  // The combination typed into the dialog asked for key on page.
  void Give(const std::string& key, int page, std::array<int, 3> numbers) {
    h.console.st.CurrentKey = key;
    h.console.st.InstallPage = page;
    h.rt.Operator().OnModal("frmSecurity", [numbers](ui::Form& f) {
      auto& dialog = static_cast<unit::frmSecurity&>(f);
      for (int i = 0; i < 3; ++i) dialog.txtComb[i].Text = vb::CStr(numbers[static_cast<std::size_t>(i)]);
      dialog.cmdOK.Press();
      if (dialog.Visible()) dialog.cmdCancel.Press();
    });
    h.console.Get<unit::frmSecurity>().Show(true, &h.console.Get<app::frmMain>());
  }
  // The combination the unit holds from first on.
  std::array<int, 3> UnitCombination(int first) {
    return {Unit().Memory(first), Unit().Memory(first + 1), Unit().Memory(first + 2)};
  }
  std::array<int, 3> FactoryCombination() {
    return {unit::FactoryNumber(0), unit::FactoryNumber(1), unit::FactoryNumber(2)};
  }
  int Count(const std::string& command) {
    int n = 0;
    for (const auto& c : Unit().Commands()) n += c == command;
    return n;
  }

  testkit::ConsoleHarness h;
  testkit::SiteRow row;
  std::int32_t site_id = 0;
  std::unique_ptr<testkit::SimulatedSite> site;
};

TEST_F(InstallSession, TextUnitTakesAChangedRowTheClockAndAThreeByteWrite) {
  Begin({.firmware = 30100, .clock = sim::ClockTime{2026, 3, 2, 10, 0, 0}});
  int before = -1;
  bool unlocked = false;
  Session({{40000, [&] {
              Give("Install", unit::kPageInstall, UnitCombination(75));
              unlocked = !h.console.st.InstallLocked;
              before = Unit().Memory(27);
              Screen().udProp[27].PressUp();  // HVD1 Disconnect, a volts row
              Screen().cmdProp[27].Press();
            }},
           {45000, [&] {
              Give("Status", unit::kPageStatus, UnitCombination(82));
              Screen().udDate[3].PressUp();  // the hour, 10 -> 11
              Screen().cmdSendDate[3].Press();
            }},
           {50000, [&] {
              Write(7, std::string("\x05\x06\x07", 3));
            }}},
          70000);
  EXPECT_TRUE(unlocked);
  ASSERT_GE(before, 0);
  EXPECT_EQ(Unit().Memory(27), before + 1);
  EXPECT_EQ(h.console.param.ParamShadow[27], before + 1);
  EXPECT_EQ(Count("Ss027" + vb::Format(before + 1, "000")), 1);
  EXPECT_EQ(Count("Tth11"), 1);
  EXPECT_EQ(Unit().Clock().Now().hour, 11);
  EXPECT_EQ(Unit().Memory(7), 5);
  EXPECT_EQ(Unit().Memory(8), 6);
  EXPECT_EQ(Unit().Memory(9), 7);
  EXPECT_FALSE(h.console.IfLoaded<app::frmSendProgress>());  // closed after the last byte
  EXPECT_TRUE(Unit().Rejections().empty());
}

// Cancel in the send-progress window stops a text write after the byte in
// flight: the operator is told how many bytes went (the unit has exactly
// those), and the last reply brings no success notice.
TEST_F(InstallSession, CancelledTextWriteIsToldWithTheBytesSentAndNotAsASuccess) {
  Begin({.firmware = 30100});
  const std::string bytes = "\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a";
  std::array<int, 10> before{};
  Session({{40000, [&] {
              for (int i = 0; i < 10; ++i) before[static_cast<std::size_t>(i)] = Unit().Memory(7 + i);
              Write(7, bytes);
            }},
           {43500, [&] {
              h.rt.Operator().ExpectMsgBox("~Sending cancelled: ");
              h.console.Get<app::frmSendProgress>().cmdCancel.Press();
            }}},
          70000);
  int written = 0;
  for (const auto& c : Unit().Commands()) written += c.rfind("Ss", 0) == 0;
  ASSERT_GT(written, 0);
  ASSERT_LT(written, 10);
  const std::vector<std::string> told = h.rt.Operator().MsgBoxPrompts();
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.back(),
            "Sending cancelled: " + std::to_string(written) + " of 10 bytes went to the unit.");
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(Unit().Memory(7 + i), i < written ? 0x11 + i : before[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(h.rt.BeepCount(), 0) << "no \"Value Updated Successfully\"";
  EXPECT_FALSE(h.console.st.WriteCancelled);
  EXPECT_EQ(h.console.st.CmdState, 0);
}

TEST_F(InstallSession, V4UnitTakesAChangedRowAndTheComputersClock) {
  Begin({.dialect = Dialect::kV4, .firmware = 40100, .clock = sim::ClockTime{2025, 1, 1, 0, 0, 0}});
  int before = -1;
  std::array<int, 7> spinners{};
  Session({{40000, [&] {
              ASSERT_TRUE(h.console.st.V4Mode);
              Give("Install", unit::kPageInstall, UnitCombination(75));
              before = Unit().Memory(27);
              Screen().udProp[27].PressUp();
              Screen().cmdProp[27].Press();
            }},
           // Each once the last acknowledgement has been handled: the link
           // takes one command at a time.
           {47000, [&] {
              Give("Status", unit::kPageStatus, UnitCombination(82));
              Screen().cmdClock.Press();
            }},
           {54000, [&] {
              Screen().udDate[2].PressUp();  // the day of the date last read
              for (int i = 0; i <= 6; ++i) spinners[static_cast<std::size_t>(i)] = Screen().udDate[i].Value();
              Screen().cmdSendDate[2].Press();
            }}},
          64000);
  ASSERT_GE(before, 0);
  EXPECT_EQ(Unit().Memory(27), before + 1);
  EXPECT_EQ(Count("V4 S"), 1);
  EXPECT_EQ(Count("V4 T"), 2);
  // The date field sent the whole clock as the spinners held it.
  const sim::ClockReading now = Unit().Clock().Now();
  EXPECT_EQ(now.year, 2000 + spinners[0]);
  EXPECT_EQ(now.month, spinners[1]);
  EXPECT_EQ(now.day, spinners[2]);
  EXPECT_EQ(now.weekday, spinners[6]);
  EXPECT_FALSE(Screen().cmdSendDate[2].Visible());
  EXPECT_TRUE(Unit().Rejections().empty());
}

TEST_F(InstallSession, V4ClockButtonSetsTheUnitToTheComputersDateWithMondayFirst) {
  Begin({.dialect = Dialect::kV4, .firmware = 40100, .clock = sim::ClockTime{2025, 1, 1, 0, 0, 0}});
  Session({{40000, [&] {
              Give("Status", unit::kPageStatus, UnitCombination(82));
              Screen().cmdClock.Press();
            }}},
          45000);
  const sim::ClockReading now = Unit().Clock().Now();  // Monday 2 March 2026
  EXPECT_EQ(now.year, 2026);
  EXPECT_EQ(now.month, 3);
  EXPECT_EQ(now.day, 2);
  EXPECT_EQ(now.weekday, 1);
  EXPECT_EQ(now.hour, 10);
}

TEST_F(InstallSession, V4WriteWhoseAcknowledgementFailsFiveTimesGivesUpQuietly) {
  Begin({.dialect = Dialect::kV4, .firmware = 40100});
  int before = -1;
  Session({{40000, [&] {
              Give("Install", unit::kPageInstall, UnitCombination(75));
              Unit().Faults().bad_crc_replies = 5;
              before = Unit().Memory(13);
              Screen().udProp[13].PressDown();
              Screen().cmdProp[13].Press();
            }}},
          90000);
  EXPECT_EQ(Count("V4 S"), 5);  // the first packet and four repeats
  EXPECT_EQ(Unit().Memory(13), before - 1);
  EXPECT_EQ(h.console.st.CmdState, 0);
  EXPECT_EQ(h.rt.BeepCount(), 0);  // no success notice, and no message either
}

TEST_F(InstallSession, ModemInitStringOfATextUnitIsWrittenByteByByte) {
  Begin({.firmware = 30100});
  Session({{40000, [&] {
              Give("Factory", unit::kPageFactory, FactoryCombination());
              Screen().txtModemInit.Text = "ATS0=1";
              Screen().cmdChangeInit.Press();
            }}},
          120000);
  EXPECT_EQ(Count("Ss227065"), 1);  // "A" at 227
  int written = 0;
  for (const auto& c : Unit().Commands()) written += c.rfind("Ss", 0) == 0;
  EXPECT_EQ(written, 29);
  std::string memory;
  for (int a = 227; a <= 255; ++a) memory += static_cast<char>(Unit().Memory(a));
  EXPECT_EQ(memory, "ATS0=1" + std::string(23, '\0'));
}

TEST_F(InstallSession, ModemInitStringOfANewerTextUnitStartsAt228) {
  Begin({.firmware = 32116});
  Session({{40000, [&] {
              Give("Factory", unit::kPageFactory, FactoryCombination());
              Screen().txtModemInit.Text = "ATZ";
              Screen().cmdChangeInit.Press();
            }}},
          120000);
  int written = 0;
  for (const auto& c : Unit().Commands()) written += c.rfind("Ss", 0) == 0;
  EXPECT_EQ(written, 28);
  EXPECT_EQ(Count("Ss228065"), 1);
  std::string memory;
  for (int a = 228; a <= 255; ++a) memory += static_cast<char>(Unit().Memory(a));
  EXPECT_EQ(memory, "ATZ" + std::string(25, '\0'));
  EXPECT_EQ(Count("Ss256000"), 0);  // nothing past the string's region
}

TEST_F(InstallSession, ModemInitStringOfAV4UnitGoesInFourBytePacketsTo263) {
  Begin({.dialect = Dialect::kV4, .firmware = 40100});
  Session({{40000, [&] {
              Give("Factory", unit::kPageFactory, FactoryCombination());
              // V4 units hide the button; the write itself is the same command.
              Screen().txtModemInit.Text = "AT&F";
              Screen().cmdChangeInit_Click();
            }}},
          120000);  // each packet waits out the reply's idle time
  EXPECT_EQ(Count("V4 S"), 10);  // 227, 231, ... 263
  std::string memory;
  for (int a = 227; a <= 266; ++a) memory += static_cast<char>(Unit().Memory(a));
  EXPECT_EQ(memory, "AT&F" + std::string(36, '\0'));
  EXPECT_FALSE(h.console.st.BulkWriteActive);
  // The last acknowledgement ends the write: it is not taken up again at the
  // loop's next deadline as a late success notice.
  EXPECT_EQ(h.rt.BeepCount(), 0);
}

TEST_F(InstallSession, WrongCombinationsLeaveEveryLockAndTheUnitAsTheyWere) {
  Begin({.firmware = 30100});
  std::array<int, 3> wrong_install{}, wrong_controls{};
  std::size_t commands = 0;
  bool install_still_open = false;
  Session({{40000, [&] {
              Give("Install", unit::kPageInstall, UnitCombination(75));
              commands = Unit().Commands().size();
              wrong_controls = UnitCombination(82);
              wrong_controls[2] = (wrong_controls[2] + 1) % 100;
              wrong_install = UnitCombination(75);
              wrong_install[0] = (wrong_install[0] + 1) % 100;
              for (int i = 0; i < 3; ++i)
                h.rt.Operator().ExpectMsgBox("Invalid Password ", ui::vbOK, "Password Error");
              Give("Status", unit::kPageStatus, wrong_controls);
              Give("Factory", unit::kPageFactory, {1, 2, 3});
              Give("Install", unit::kPageInstall, wrong_install);
              install_still_open = !h.console.st.InstallLocked &&
                                   Screen().udProp[27].Enabled();
            }}},
          50000);
  EXPECT_TRUE(install_still_open);
  EXPECT_TRUE(h.console.st.ControlsLocked);
  EXPECT_TRUE(h.console.st.FactoryLocked);
  EXPECT_FALSE(Screen().udProp[82].Enabled());
  EXPECT_FALSE(Screen().udProp[8].Enabled());
  EXPECT_EQ(Screen().txtProp[82].Text(), "??");
  EXPECT_EQ(Unit().Commands().size(), commands);  // nothing was sent
}

TEST_F(InstallSession, DisconnectFromTheScreenHangsUpAndLocksTheControlsLevel) {
  Begin({.firmware = 30100});
  bool open_before = false;
  Session({{40000, [&] {
              Give("Status", unit::kPageStatus, UnitCombination(82));
              open_before = Screen().udProp[82].Enabled() && Screen().txtProp[82].Text() != "??";
              Screen().cmdDisconnect.Press();
            }}},
          60000);
  EXPECT_TRUE(open_before);
  EXPECT_FALSE(h.console.st.Online);
  EXPECT_NE(h.serial.AllWritten().find("ATH0"), std::string::npos);
  EXPECT_TRUE(h.console.st.ControlsLocked);
  EXPECT_EQ(Screen().txtProp[82].Text(), "??");
  for (int a : {56, 57, 58, 59, 82, 83, 84, 89}) EXPECT_FALSE(Screen().udProp[a].Enabled()) << a;
  EXPECT_FALSE(Screen().cmdClock.Enabled() || Screen().cmdReset.Enabled());
  EXPECT_EQ(h.console.Get<app::frmMain>().tbToolBar.Buttons(4).Image(), "StatusL");
}

// What the screen shows after a write and a re-read is what the unit holds:
// a negative %add keeps its sign (written at 226), and a Controls
// combination field sends the number typed over it.
TEST_F(InstallSession, NegativeAmpHourAdditionAndATypedCombinationReadBackAsWritten) {
  Begin({.firmware = 30100});
  Session({{40000, [&] {
              Give("Install", unit::kPageInstall, UnitCombination(75));
              Screen().udProp[225].Value = -254;
              Screen().udProp[225].PressDown();  // -25.5 %
              Screen().cmdProp[225].Press();
            }},
           {45000, [&] {
              Give("Status", unit::kPageStatus, UnitCombination(82));
              auto& field = Screen().txtProp[82];
              field.SelStart = 0;
              field.SelLength = static_cast<int>(field.Text().size());
              field.Type("50");
              Screen().cmdProp[82].Press();
            }},
           {50000, [&] {
              Screen().udProp[225].Value = 0;  // forgotten by the screen ...
              Screen().udProp[82].Value = 0;
              Screen().cmdRefresh.Press();     // ... and read back from the unit
            }}},
          80000);
  EXPECT_EQ(Unit().Memory(225), 255);
  EXPECT_EQ(Unit().Memory(226), 1);
  EXPECT_EQ(Unit().Memory(82), 50);
  EXPECT_EQ(Count("Ss082050"), 1);
  EXPECT_EQ(Count("D"), 2);
  EXPECT_EQ(Screen().udProp[225].Value(), -255);
  EXPECT_EQ(Screen().txtProp[225].Text(), "-25.5%");
  EXPECT_EQ(Screen().udProp[82].Value(), 50);
  EXPECT_EQ(Screen().txtProp[82].Text(), "50");
  EXPECT_TRUE(Unit().Rejections().empty());
}

// Manual Equalize asks for an equalisation each time; the lamp shows the
// unit's flag as its status reads once the request was acknowledged, so a
// second press does not turn it off while the unit still has it set.
class ManualEqualize : public InstallSession, public ::testing::WithParamInterface<Dialect> {};

TEST_P(ManualEqualize, ShowsTheUnitsFlagAfterEachPress) {
  const bool v4 = GetParam() == Dialect::kV4;
  Begin({.dialect = GetParam(), .firmware = v4 ? 40100 : 30100});
  std::vector<std::string> shown;
  const auto look = [&] { shown.push_back(Screen().lblEqState.Caption()); };
  Session({{40000, [&] {
              Give("Status", unit::kPageStatus, UnitCombination(82));
              look();
              Screen().cmdEqualize.Press();
            }},
           {60000, [&] {  // a V4 unit's acknowledgement and status take 10 s
              look();
              Screen().cmdEqualize.Press();
            }},
           {80000, look}},
          90000);
  EXPECT_EQ(shown, (std::vector<std::string>{"Off", "Next HVD", "Next HVD"}));
  EXPECT_TRUE(Screen().LampOn(Screen().imgEQU));
  EXPECT_TRUE(Unit().Status().equalize);
  EXPECT_EQ(Count(v4 ? "V4 S" : "Ss188001"), 2);
  // One status read after each acknowledged request (and a text unit's
  // after the connection's dump).
  EXPECT_EQ(Count(v4 ? "V4 D" : "V"), v4 ? 2 : 3);
}

INSTANTIATE_TEST_SUITE_P(BothDialects, ManualEqualize,
                         ::testing::Values(Dialect::kText, Dialect::kV4));

// The memory reset is told as done only when the unit answers it; a lost
// answer is told as such, and nothing is re-read.
TEST_F(InstallSession, MemoryResetIsToldDoneOnlyWhenTheUnitConfirmsIt) {
  Begin({.firmware = 30100});
  Session({{40000, [&] {
              Give("Status", unit::kPageStatus, UnitCombination(82));
              Unit().Faults().dropped_replies = 1;
              h.rt.Operator().ExpectMsgBox("The unit did not confirm the memory reset.");
              Screen().cmdReset.Press();
            }},
           {110000, [&] {  // an unanswered command is given up after 60 s
              h.rt.Operator().ExpectMsgBox("Memory successfully reset");
              Unit().SetMemory(101, 200);  // a battery volts record
              Screen().cmdReset.Press();
            }}},
          140000);
  EXPECT_EQ(Count("Rr"), 2);
  EXPECT_EQ(Count("D"), 2) << "only the confirmed reset is followed by a re-read";
  EXPECT_EQ(Unit().Memory(101), 0);
  EXPECT_EQ(Screen().udProp[101].Value(), 0) << "the re-read shows the reset records";
}

}  // namespace
