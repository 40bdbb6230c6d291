// Writing parameter rows back: the bytes each send kind puts on the wire in
// both dialects, the typing that offers a send, and the battery capacity
// editor's carrying arrows.
#include <string>

#include "app/frm_send_progress.h"
#include "install_screen_fixture.h"
#include "link/command_table.h"
#include "unit/parameter_writes.h"

namespace {

using testkit::InstallScreenTest;

std::string Bytes(std::initializer_list<int> codes) {
  std::string s;
  for (int c : codes) s += static_cast<char>(c);
  return s;
}

class ParameterWrites : public InstallScreenTest {
 protected:
  // Sends row index with its button, as the operator does.
  std::string Send(int index) {
    return SentAfter([&] { Screen().cmdProp[index].Press(); });
  }
  void Offer(int index) { Screen().cmdProp[index].Visible = true; }
  void SetRow(int address, int value) { Screen().udProp[address].Value = value; }
  std::int16_t Shadow(int address) { return C().param.ParamShadow[static_cast<std::size_t>(address)]; }
};

TEST(BatteryCapacityBytes, SplitsHighThenLowAndNeverWraps) {
  EXPECT_EQ(unit::BatteryCapacityBytes(1234), Bytes({4, 210}));
  EXPECT_EQ(unit::BatteryCapacityBytes(65535), Bytes({255, 255}));
  EXPECT_EQ(unit::BatteryCapacityBytes(70000), Bytes({255, 112}));
  EXPECT_EQ(unit::BatteryCapacityBytes(-5), Bytes({0, 0}));
  EXPECT_EQ(unit::BatteryCapacityBytes(1e12), Bytes({255, 255}));
  EXPECT_EQ(unit::BatteryCapacityBytes(0), Bytes({0, 0}));
}

TEST_F(ParameterWrites, PlainRowInTextSendsOneCommandAndHidesItsButton) {
  UnlockInstall();
  SetRow(13, 90);
  Offer(13);
  const std::string sent = Send(13);
  EXPECT_EQ(sent, "Ss013090");
  EXPECT_FALSE(Screen().cmdProp[13].Visible());
  EXPECT_EQ(Shadow(13), 90);
  EXPECT_TRUE(C().st.WriteData.empty());
  EXPECT_FALSE(C().IfLoaded<app::frmSendProgress>());  // no progress for one byte
}

TEST_F(ParameterWrites, PlainRowInV4SendsOneSPacket) {
  C().st.V4Mode = true;
  UnlockInstall();
  SetRow(13, 90);
  Offer(13);
  const std::string sent = Send(13);
  EXPECT_EQ(C().st.PacketOut, Bytes({'S', 1, 0, 13, 90}));
  EXPECT_EQ(C().st.CmdState, lnk::kV4Write);
  EXPECT_FALSE(sent.empty());
  EXPECT_FALSE(Screen().cmdProp[13].Visible());
}

TEST_F(ParameterWrites, LoadTimingPairWritesHourThenMinuteFromTheHour) {
  UnlockControls();
  SetRow(58, 18);
  SetRow(59, 30);
  Offer(59);
  Screen().cmdProp[59].Press();
  EXPECT_EQ(C().cmd.Cmd[lnk::kSetParameter], "Ss058018");
  EXPECT_EQ(C().st.WriteAddress, 58);
  EXPECT_EQ(C().st.WriteData, Bytes({18, 30}));
  auto* progress = C().IfLoaded<app::frmSendProgress>();
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->ProgressBar1.Max(), 2);
}

TEST_F(ParameterWrites, LoadTimingPairInV4IsOnePacket) {
  C().st.V4Mode = true;
  UnlockControls();
  SetRow(58, 18);
  SetRow(59, 30);
  Offer(59);
  Screen().cmdProp[59].Press();
  EXPECT_EQ(C().st.PacketOut, Bytes({'S', 2, 0, 58, 18, 30}));
}

TEST_F(ParameterWrites, BatteryCapacityWritesTheTypedNumberAt24) {
  C().st.V4Mode = true;
  UnlockInstall();
  Screen().txtProp[25].Text = "1234";
  Offer(25);
  Screen().cmdProp[25].Press();
  EXPECT_EQ(C().st.PacketOut, Bytes({'S', 2, 0, 24, 4, 210}));
  Screen().txtProp[25].Text = "70000";
  Offer(25);
  Screen().cmdProp[25].Press();
  EXPECT_EQ(C().st.PacketOut, Bytes({'S', 2, 0, 24, 255, 112}));
  Screen().txtProp[25].Text = "-300";
  Offer(25);
  Screen().cmdProp[25].Press();
  EXPECT_EQ(C().st.PacketOut, Bytes({'S', 2, 0, 24, 0, 0}));
}

TEST_F(ParameterWrites, AmpHourAdditionWritesMagnitudeThenSign) {
  C().st.V4Mode = true;
  UnlockInstall();
  SetRow(225, -70);
  Offer(225);
  Screen().cmdProp[225].Press();
  EXPECT_EQ(C().st.PacketOut, Bytes({'S', 2, 0, 225, 70, 1}));
  SetRow(225, 70);
  Offer(225);
  Screen().cmdProp[225].Press();
  EXPECT_EQ(C().st.PacketOut, Bytes({'S', 2, 0, 225, 70, 0}));
  EXPECT_EQ(Shadow(225), 70);
}

TEST_F(ParameterWrites, ThreeByteTextWriteShowsItsProgressAndStartsWithTheFirstByte) {
  C().st.WriteData = Bytes({5, 6, 7});
  C().st.WriteAddress = 7;
  const std::string sent = SentAfter([&] { unit::SendSetParameter(C()); });
  EXPECT_EQ(sent, "Ss007005");
  auto* progress = C().IfLoaded<app::frmSendProgress>();
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(progress->Visible());
  EXPECT_EQ(progress->ProgressBar1.Max(), 3);
  EXPECT_EQ(progress->ProgressBar1.Value(), 0);
}

TEST_F(ParameterWrites, TypingOffersTheSendButtonWhichSendsTheSpinnersValue) {
  UnlockControls();
  Screen().txtProp[82].Type("5");
  EXPECT_TRUE(Screen().cmdProp[82].Visible());
  EXPECT_EQ(Send(82), "Ss082011");  // the spinner's 11, not the typed text
  // Typing into the first Install combination field offers the second's.
  UnlockInstall();
  Screen().txtProp[75].Type("1");
  EXPECT_TRUE(Screen().cmdProp[76].Visible());
  EXPECT_FALSE(Screen().cmdProp[75].Visible());
  // A box that takes no typing offers nothing.
  Screen().txtProp[13].Type("1");
  EXPECT_FALSE(Screen().cmdProp[13].Visible());
}

TEST_F(ParameterWrites, TypingIntoALockedRowIsRefused) {
  Screen().txtProp[25].Type("9999");
  EXPECT_FALSE(Screen().cmdProp[25].Visible());
  EXPECT_NE(Screen().txtProp[25].Text(), "9999");
  Screen().txtProp[82].Type("1");
  EXPECT_FALSE(Screen().cmdProp[82].Visible());
  EXPECT_EQ(Screen().txtProp[82].Text(), "??");
}

TEST_F(ParameterWrites, CapacityUnitsWrapIntoTheHundreds) {
  UnlockInstall();
  auto& hundreds = Screen().udAH1;
  auto& units = Screen().udAH2;
  hundreds.Value = 5;
  units.Value = 0;
  units.PressDown();
  EXPECT_EQ(hundreds.Value(), 4);
  EXPECT_EQ(units.Value(), 99);
  EXPECT_EQ(Screen().txtProp[25].Text(), "499");
  units.PressUp();
  EXPECT_EQ(hundreds.Value(), 5);
  EXPECT_EQ(units.Value(), 0);

  hundreds.Value = 0;
  units.PressDown();  // nothing below zero
  EXPECT_EQ(hundreds.Value(), 0);
  EXPECT_EQ(units.Value(), 0);
  hundreds.Value = 654;
  units.Value = 99;
  units.PressUp();  // nothing above 65499
  EXPECT_EQ(hundreds.Value(), 654);
  EXPECT_EQ(units.Value(), 99);
  EXPECT_EQ(Screen().udProp[24].Value(), 255);
  EXPECT_EQ(Screen().udProp[25].Value(), 219);
}

TEST_F(ParameterWrites, CapacityButtonFollowsTheValueTheUnitHas) {
  UnlockInstall();  // the sample unit holds 4 * 256 + 210 = 1234
  ASSERT_EQ(Screen().txtProp[25].Text(), "1234");
  Screen().udAH2.PressUp();
  EXPECT_TRUE(Screen().cmdProp[25].Visible());
  Screen().udAH2.PressDown();
  EXPECT_FALSE(Screen().cmdProp[25].Visible());

  // After a typed capacity was sent, the arrows compare with what was sent.
  Screen().txtProp[25].SelStart = 4;
  Screen().txtProp[25].Type("0");  // 12340
  Screen().cmdProp[25].Press();
  EXPECT_EQ(Shadow(24), 48);
  EXPECT_EQ(Shadow(25), 52);
  Screen().udAH2.PressUp();
  Screen().udAH2.PressDown();  // back at 1234, which the unit no longer has
  EXPECT_TRUE(Screen().cmdProp[25].Visible());
}

}  // namespace
