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

// The two kinds that write two bytes, in both dialects: a text unit gets the
// first "Ss" (the reply handler sends the second byte), a V4 unit one packet.
// The typed capacity is a whole number, as in the site dialog: one its two
// bytes cannot hold, or anything that is no whole number, is refused and
// nothing is sent.
TEST_F(ParameterWrites, CapacityAndAmpHourAdditionWriteTwoBytesOrRefuse) {
  UnlockInstall();
  const struct {
    bool v4;
    int row;
    std::string capacity;  // typed into row 25
    int ah_add;            // row 225's value
    std::string sent;      // "" : refused
  } cases[] = {
      {false, 25, "1234", 0, "Ss024004" + Bytes({4, 210})},
      {true, 25, "1234", 0, Bytes({'S', 2, 0, 24, 4, 210})},
      {false, 25, "65535", 0, "Ss024255" + Bytes({255, 255})},
      {true, 25, "0", 0, Bytes({'S', 2, 0, 24, 0, 0})},
      {false, 25, "-300", 0, ""},
      {true, 25, "70000", 0, ""},
      {true, 25, "65535.5", 0, ""},
      {false, 25, " 1234 ", 0, "Ss024004" + Bytes({4, 210})},
      {true, 25, "+7", 0, Bytes({'S', 2, 0, 24, 0, 7})},
      {false, 25, "1,234", 0, ""},
      {true, 25, "abc", 0, ""},
      {false, 25, "", 0, ""},
      {true, 25, "12.5", 0, ""},
      {false, 25, "1e3", 0, ""},
      {true, 25, "12abc", 0, ""},
      {false, 225, "", -70, "Ss225070" + Bytes({70, 1})},
      {true, 225, "", -70, Bytes({'S', 2, 0, 225, 70, 1})},
      {false, 225, "", 70, "Ss225070" + Bytes({70, 0})},
  };
  for (const auto& t : cases) {
    C().st.V4Mode = t.v4;
    C().st.PacketOut.clear();
    C().st.WriteData.clear();
    C().cmd.Cmd[lnk::kSetParameter].clear();
    if (t.row == 25) Screen().txtProp[25].Text = t.capacity;
    SetRow(225, t.ah_add);
    Offer(t.row);
    if (t.sent.empty())
      h.rt.Operator().ExpectMsgBox("The battery capacity must be a whole number from 0 to 65535 Ah.");
    Screen().cmdProp[t.row].Press();
    EXPECT_EQ(t.v4 ? C().st.PacketOut : C().cmd.Cmd[lnk::kSetParameter] + C().st.WriteData, t.sent)
        << t.capacity << t.ah_add;
    EXPECT_EQ(Screen().cmdProp[t.row].Visible(), t.sent.empty());
  }
  EXPECT_TRUE(Shadow(225) == 70 && Shadow(226) == 0);
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

TEST_F(ParameterWrites, TypingOffersTheSendButton) {
  UnlockControls();
  Screen().txtProp[82].Type("5");
  EXPECT_TRUE(Screen().cmdProp[82].Visible());
  // Typing into the first Install combination field offers the second's.
  UnlockInstall();
  Screen().txtProp[75].Type("1");
  EXPECT_TRUE(Screen().cmdProp[76].Visible());
  EXPECT_FALSE(Screen().cmdProp[75].Visible());
  // A box that takes no typing offers nothing.
  Screen().txtProp[13].Type("1");
  EXPECT_FALSE(Screen().cmdProp[13].Visible());
}

// A Controls combination field sends the number typed over it, within the
// field's range, in both dialects; anything else is refused, nothing is
// sent and the button stays offered.
TEST_F(ParameterWrites, TypedCombinationFieldSendsWhatItShows) {
  UnlockControls();
  const struct {
    bool v4;
    std::string typed, sent;  // sent "": refused
  } cases[] = {{false, "50", "Ss082050"}, {true, " 7", Bytes({'S', 1, 0, 82, 7})},
               {false, "100", ""},        {true, "-1", ""},
               {false, "abc", ""},        {false, "5.5", ""},
               {false, "99", "Ss082099"}, {false, "0", "Ss082000"}};
  auto& box = Screen().txtProp[82];
  for (const auto& t : cases) {
    C().st.V4Mode = t.v4;
    C().st.PacketOut.clear();
    SetRow(82, 11);
    box.SelStart = 0;
    box.SelLength = static_cast<int>(box.Text().size());
    box.Type(t.typed);
    if (t.sent.empty())
      h.rt.Operator().ExpectMsgBox("The value must be a whole number from 0 to 99.");
    const std::string wire = Send(82);
    EXPECT_EQ(t.v4 ? C().st.PacketOut : wire, t.sent) << t.typed;
    EXPECT_EQ(Screen().cmdProp[82].Visible(), t.sent.empty()) << t.typed;
    // Refused, the typing stays for the operator to mend.
    const int now = t.sent.empty() ? 11 : std::stoi(t.typed);
    const std::string shown = t.sent.empty() ? t.typed : std::to_string(now);
    EXPECT_TRUE(Screen().udProp[82].Value() == now && box.Text() == shown) << t.typed;
  }
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
