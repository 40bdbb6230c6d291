// The installation screen's single commands: option pairs, equalise, resets,
// re-reads, the modem init string and the unit's clock, in both dialects;
// and the window's own buttons.
#include <string>

#include "app/frm_readout.h"
#include "common/vb_date.h"
#include "install_screen_fixture.h"
#include "link/command_table.h"
#include "link/settings_access.h"
#include "unit/clock_packet.h"
#include "unit/modem_init_string.h"

namespace {

using testkit::InstallScreenTest;
using unit::kPageControls;
using unit::kPageStatus;

std::string Bytes(std::initializer_list<int> codes) {
  std::string s;
  for (int c : codes) s += static_cast<char>(c);
  return s;
}

class InstallCommands : public InstallScreenTest {
 protected:
  std::string Click(ui::CommandButton& b) { return SentAfter([&] { b.Press(); }); }
  std::string Choose(ui::OptionButton& o) { return SentAfter([&] { o.Press(); }); }
};

TEST_F(InstallCommands, OptionPairsWriteZeroOrOneWithTheirLamp) {
  UnlockControls();
  ShowPage(kPageControls);
  auto& s = Screen();
  EXPECT_EQ(Choose(s.optEqualization[1]), "Ss232001");
  EXPECT_TRUE(s.LampOn(s.imgEqualization));
  EXPECT_EQ(Choose(s.optEqualization[0]), "Ss232000");
  EXPECT_FALSE(s.LampOn(s.imgEqualization));
  EXPECT_EQ(Choose(s.optAC[1]), "Ss097001");
  EXPECT_EQ(Choose(s.optCallout[1]), "Ss110001");
  EXPECT_EQ(Choose(s.optNOTMode[0]), "Ss102000");
  // Each pair is a group of its own.
  EXPECT_TRUE(s.optAC[1].Value() && s.optCallout[1].Value() && s.optNOTMode[0].Value() &&
              s.optEqualization[0].Value());
}

TEST_F(InstallCommands, OptionsSetWhileAnImageIsShownOnlyFollowIt) {
  UnlockControls();
  ShowPage(kPageControls);
  C().param.ParamLoadInProgress = true;
  EXPECT_EQ(Choose(Screen().optAC[1]), "");
  EXPECT_TRUE(Screen().LampOn(Screen().imgAC));
  EXPECT_EQ(C().cmd.Cmd[lnk::kSetParameter], "Ss097001");
  EXPECT_EQ(C().st.CmdState, 0);
}

TEST_F(InstallCommands, LoadTimerModeActsOnTheMouseButtonNotOnASelection) {
  UnlockControls();
  ShowPage(kPageStatus);
  // A loaded value selects an option: nothing is sent.
  EXPECT_EQ(SentAfter([&] { Screen().optLD1T[0].Value = true; }), "");
  EXPECT_EQ(Choose(Screen().optLD1T[1]), "Ss055001");
  EXPECT_TRUE(Screen().LampOn(Screen().imgLd1T));
}

// The lamp is the unit's to set (its status, read back once the request is
// acknowledged): the press itself leaves it.
TEST_F(InstallCommands, ManualEqualizeAlwaysAsksForEqualisationAndLeavesTheLampToTheUnit) {
  UnlockControls();
  auto& s = Screen();
  for (int press = 0; press < 2; ++press) {
    C().st.CmdState = 0;
    EXPECT_EQ(Click(s.cmdEqualize), "Ss188001");
    EXPECT_EQ(s.lblEqState.Caption(), "Off");
    EXPECT_FALSE(s.LampOn(s.imgEQU));
  }
}

TEST_F(InstallCommands, V4UnitsTakePacketsForLoadTimerAndEqualiseButTextForTheRest) {
  C().st.V4Mode = true;
  UnlockControls();
  auto& s = Screen();
  Click(s.cmdEqualize);
  EXPECT_EQ(C().st.PacketOut, Bytes({'S', 1, 0, 188, 1}));
  EXPECT_EQ(C().st.CmdState, lnk::kV4Write);
  C().param.ParamLoadInProgress = true;  // the operator's click goes out all the same
  Choose(s.optLD1T[0]);
  s.optLD1T[1].Value = true;
  Choose(s.optLD1T[0]);
  EXPECT_EQ(C().st.PacketOut, Bytes({'S', 1, 0, 55, 0}));
  C().param.ParamLoadInProgress = false;
  ShowPage(kPageControls);
  EXPECT_EQ(Choose(s.optAC[1]), "Ss097001");
  EXPECT_EQ(Click(s.cmdResetAH), "Rr");
  ShowPage(kPageStatus);
  s.cmdRi.Visible = true;
  s.cmdRj.Visible = true;
  EXPECT_EQ(Click(s.cmdRi), "Ri");
  EXPECT_EQ(Click(s.cmdRj), "Rh");
}

TEST_F(InstallCommands, ResetsAndReReadsByDialect) {
  UnlockControls();
  auto& s = Screen();
  EXPECT_EQ(Click(s.cmdReset), "Rr");
  EXPECT_EQ(C().st.CmdState, lnk::kMemoryReset);
  C().st.CmdState = 0;
  EXPECT_EQ(Click(s.cmdUpdate), "U");
  EXPECT_TRUE(C().st.AutoNext);  // "V" follows
  EXPECT_EQ(s.cmdUpdate.BackColor(), ui::vbGreen);

  C().st.V4Mode = true;
  s.cmdReset.Press();
  EXPECT_EQ(C().st.CmdState, lnk::kV4Reset);
  s.cmdUpdate.Press();
  EXPECT_EQ(C().st.CmdState, lnk::kV4Dump);
  EXPECT_FALSE(s.cmdUpdate.Enabled());
  s.cmdRefresh.Press();
  auto* readout = C().IfLoaded<app::frmReadout>();
  ASSERT_NE(readout, nullptr);
  EXPECT_EQ(readout->lblReadout.Caption(), "Retrieving EEPROM bulk data...");
  EXPECT_TRUE(readout->Visible());
}

TEST(ModemInitString, TextBytesFillTheRegionFromItsStart) {
  EXPECT_EQ(unit::ModemInitTextAddress(false, 30100), 227);
  EXPECT_EQ(unit::ModemInitTextAddress(true, 30100), 228);
  EXPECT_EQ(unit::ModemInitTextAddress(false, 32116), 228);
  const std::string at227 = unit::ModemInitTextBytes("ATZ01", 227);
  EXPECT_EQ(at227.size(), 29u);
  EXPECT_EQ(at227, "ATZ01" + std::string(24, '\0'));
  EXPECT_EQ(unit::ModemInitTextBytes("ATZ01", 228).size(), 28u);
  // A longer text stops at the region's end instead of running over what
  // follows it in the unit's memory.
  EXPECT_EQ(unit::ModemInitTextBytes(std::string(40, 'A'), 227), std::string(29, 'A'));
}

// The whole string fits the unit's region (29 bytes from 227 here, 40 on a
// V4 unit), or nothing is sent.
TEST_F(InstallCommands, ModemInitStringLongerThanTheUnitsRegionIsRefused) {
  const struct { bool v4; std::size_t length; bool sent; } cases[] = {
      {false, 29, true}, {false, 30, false}, {true, 40, true}, {true, 41, false}};
  for (const auto& t : cases) {
    C().st.V4Mode = t.v4;
    Screen().txtModemInit.Text = std::string(t.length, 'A');
    if (!t.sent) h.rt.Operator().ExpectMsgBox("~at most " + std::to_string(t.v4 ? 40 : 29));
    EXPECT_EQ(SentAfter([&] { Screen().cmdChangeInit_Click(); }).empty(), !t.sent) << t.length;
  }
}

TEST(ClockPacket, ComputerClockCountsTheWeekFromMonday) {
  // 2 March 2026 is a Monday, 8 March a Sunday.
  EXPECT_EQ(unit::ClockPacketFromComputer(vb::MakeDateTime(2026, 3, 2, 10, 4, 7)),
            Bytes({'T', 26, 3, 2, 1, 10, 4, 7}));
  EXPECT_EQ(unit::ClockPacketFromComputer(vb::MakeDateTime(2026, 3, 8, 23, 59, 59)),
            Bytes({'T', 26, 3, 8, 7, 23, 59, 59}));
  EXPECT_EQ(unit::ClockPacketFromComputer(vb::MakeDateTime(2026, 3, 7, 0, 0, 0))[4], 6);
}

TEST_F(InstallCommands, ClockButtonSendsTheComputersClockAsAV4Packet) {
  UnlockControls();
  C().st.UnitAddress = 7;
  // The button shows for V4 units only, but the packet is the same whatever
  // the dialect.
  const std::string sent = SentAfter([&] { Screen().cmdClock_Click(); });
  // Monday 2 March 2026, ten o'clock and a few seconds.
  EXPECT_EQ(C().st.ClockPacket.substr(0, 7), Bytes({'T', 26, 3, 2, 1, 10, 0}));
  EXPECT_EQ(C().st.CmdState, lnk::kV4Clock);
  EXPECT_FALSE(sent.empty());
}

TEST_F(InstallCommands, OneDateFieldInTextIsATtCommandWithTwoDigits) {
  UnlockControls();
  auto& s = Screen();
  s.udDate[3].Value = 6;
  s.udDate[3].PressUp();  // 7 o'clock
  EXPECT_TRUE(s.cmdSendDate[3].Visible());
  EXPECT_EQ(Click(s.cmdSendDate[3]), "Tth07");
  EXPECT_FALSE(s.cmdSendDate[3].Visible());
  EXPECT_EQ(C().param.DateShadow[3], 7);
  s.udDate[6].Value = 2;
  s.udDate[6].PressUp();
  EXPECT_EQ(s.txtDay.Text(), "Wed");
  EXPECT_EQ(Click(s.cmdSendDate[6]), "Ttd03");
  s.udDate[1].Value = 10;
  s.udDate[1].PressUp();
  EXPECT_EQ(Click(s.cmdSendDate[1]), "TtM11");
}

TEST_F(InstallCommands, DateFieldButtonFollowsTheUnitsClock) {
  UnlockControls();
  auto& s = Screen();
  C().param.DateShadow[4] = 30;
  s.udDate[4].Value = 30;
  s.udDate[4].PressUp();
  EXPECT_TRUE(s.cmdSendDate[4].Visible());
  s.udDate[4].PressDown();
  EXPECT_FALSE(s.cmdSendDate[4].Visible());
}

TEST_F(InstallCommands, OneDateFieldInV4SendsTheWholeClockWithTheSpinnersWeekday) {
  C().st.V4Mode = true;
  UnlockControls();
  auto& s = Screen();
  const int fields[] = {26, 3, 2, 10, 4, 7, 1};
  for (int i = 0; i <= 6; ++i) s.udDate[i].Value = fields[i];
  s.udDate[4].PressUp();
  s.cmdSendDate[4].Press();
  EXPECT_EQ(C().st.ClockPacket, Bytes({'T', 26, 3, 2, 1, 10, 5, 7}));
  EXPECT_EQ(C().st.CmdState, lnk::kV4Clock);
  EXPECT_EQ(C().param.DateShadow[4], 5);
}

TEST_F(InstallCommands, CloseHidesTheScreenAndReleasesThePageButtons) {
  ShowPage(kPageStatus);
  Main().PressButton(4);
  Screen().cmdClose.Press();
  EXPECT_FALSE(Screen().Visible());
  for (int i = 4; i <= 8; ++i) {
    EXPECT_EQ(Main().tbToolBar.Buttons(i).Tag(), "0");
    EXPECT_EQ(Main().tbToolBar.Buttons(i).Value(), ui::tbrUnpressed);
  }
}

TEST_F(InstallCommands, SavedPositionIsWhereTheScreenOpensNextTime) {
  ShowPage(kPageStatus);
  Screen().Move(1200, 900);
  Screen().cmdSavePos.Press();
  EXPECT_EQ(lnk::SettingText(C(), "frmInstall.Left"), "1200");
  EXPECT_EQ(lnk::SettingValue(C(), "frmInstall.Top"), 900);
  Screen().Unload();
  Screen().Show();
  EXPECT_EQ(Screen().Left(), 1200);  // not the design place 0, 0
  EXPECT_EQ(Screen().Top(), 900);
}

}  // namespace
