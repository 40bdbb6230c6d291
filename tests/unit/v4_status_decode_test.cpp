// The status block of a V4 dump packet, through the rebuilt U and V lines,
// onto the installation screen and the online window.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>

#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/status_parsers.h"
#include "link/v4_packet.h"
#include "unit/frm_install.h"

namespace {

constexpr long kParamBytes = 275;
constexpr long kStatus = kParamBytes + 3;  // position of the status block
const std::string kDegrees = " \xBA" "C";

std::string DumpPacket() {
  std::string buf(lnk::kPacketBufSize, '\0');
  buf[0] = static_cast<char>(kParamBytes >> 8);
  buf[1] = static_cast<char>(kParamBytes & 0xFF);
  return buf;
}

void Put(std::string& buf, long offset, std::initializer_list<int> bytes) {
  long pos = kStatus + offset;
  for (const int b : bytes) buf.at(static_cast<std::size_t>(pos++ - 1)) = static_cast<char>(b);
}

// Clock 26-03-02 (a Monday) 10:04:07 and 13.24 V, common to both layouts.
void PutClockAndVolts(std::string& buf) {
  Put(buf, 0, {26, 3, 2, 1, 10, 4, 7, 0, 0x05, 0x2C});
}

// The V fields from q: two unshown values, the equalisation flag, then the
// net, in and out ampere-hours (hundredths, five bytes each).
void PutVFields(std::string& buf, long q) {
  Put(buf, q, {0, 9, 0, 8, 1});
  Put(buf, q + 5, {0, 0, 0, 0x13, 0x88});   // 5000
  Put(buf, q + 10, {0, 0, 0, 0x30, 0x39});  // 12345
  Put(buf, q + 15, {0, 0, 0, 0x1A, 0x85});  // 6789
}

class V4StatusDecode : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void Decode(const std::string& buf, int firmware) {
    h.console.param.FirmwareVersion = firmware;
    h.console.st.PacketBuf = buf;
    lnk::DecodeV4StatusPacket(h.console);
  }
  unit::frmInstall& Inst() { return h.console.Get<unit::frmInstall>(); }
  app::frmProgress& Prog() { return h.console.Get<app::frmProgress>(); }

  testkit::ConsoleHarness h;
};

TEST_F(V4StatusDecode, ShortLayoutFillsEveryField) {
  std::string buf = DumpPacket();
  PutClockAndVolts(buf);
  Put(buf, 10, {0, 123, 0, 45, 0, 25, 0xFF, 0xFD, 248, 32, 0});
  PutVFields(buf, 21);
  Inst().txtProp[25].Text = "200";
  Decode(buf, 32116);

  EXPECT_EQ(Inst().txtStatusDate.Text(), "26 / 03 / 02");
  EXPECT_EQ(Inst().txtTime.Text(), "10 : 04 : 07");
  EXPECT_EQ(h.console.param.DateShadow, (std::array<int, 7>{26, 3, 2, 10, 4, 7, 1}));
  EXPECT_EQ(Inst().txtDay.Text(), "Mon");
  EXPECT_EQ(Prog().txtVoltsBatt.Text(), "13.24");
  EXPECT_EQ(Prog().txtCurrentPV.Text(), "12.3");
  EXPECT_EQ(Prog().txtCurrentLoad.Text(), "4.5");
  EXPECT_EQ(Prog().txtTempBatt.Text(), "25" + kDegrees);
  EXPECT_EQ(Prog().txtTempController.Text(), "-3" + kDegrees);
  EXPECT_EQ(Prog().imgPV1.Picture(), ui::Picture::Named("GreenOff"));
  EXPECT_EQ(Inst().imgHVA.Picture(), ui::Picture::Named("RedOn"));
  EXPECT_EQ(Inst().imgGEN.Picture(), ui::Picture::Named("GreenOn"));

  EXPECT_EQ(Inst().lblEqState.Caption(), "Next HVD");
  EXPECT_EQ(Inst().txtAHnet.Text(), "50.00");
  EXPECT_EQ(Prog().txtAHout.Text(), "123.45");
  EXPECT_EQ(Prog().txtAHin.Text(), "67.89");
  EXPECT_EQ(Prog().txtSOC.Text(), "25.00");
  EXPECT_EQ(Inst().txtLoadHours.Text(), "11.11");
}

TEST_F(V4StatusDecode, Firmware40100ReadsWideCurrentsAndTheStateOfCharge) {
  std::string buf = DumpPacket();
  PutClockAndVolts(buf);
  Put(buf, 10, {0, 0x04, 0xD2});     // PV 1234
  Put(buf, 13, {0xFF, 0xFD, 0xC9});  // load -567
  Put(buf, 16, {0x21, 0x66});        // state of charge 8550
  Put(buf, 18, {0, 25, 0, 31, 0, 0, 0});
  PutVFields(buf, 25);
  Inst().txtProp[25].Text = "200";
  Decode(buf, 40100);

  EXPECT_EQ(Prog().txtCurrentPV.Text(), "12.34");
  EXPECT_EQ(Prog().txtCurrentLoad.Text(), "-5.67");
  EXPECT_EQ(Prog().txtAmpsNet.Text(), "18.01");
  EXPECT_EQ(Prog().txtTempController.Text(), "31" + kDegrees);
  EXPECT_EQ(Prog().txtSOC.Text(), "85.50") << "from the U line, not from the V line";
  EXPECT_EQ(Inst().txtAHnet.Text(), "50.00");
}

TEST_F(V4StatusDecode, ATruncatedBufferShowsMissingNumbers) {
  std::string buf = DumpPacket();
  PutClockAndVolts(buf);
  buf.resize(static_cast<std::size_t>(kStatus - 1 + 8));  // clock only, no voltage
  Decode(buf, 32116);
  EXPECT_EQ(Inst().txtTime.Text(), "10 : 04 : 07");
  EXPECT_EQ(Prog().txtVoltsBatt.Text(), "---");
  EXPECT_EQ(Prog().txtCurrentPV.Text(), "0.0");
  // The V line holds only the decoder's two zeros, read as the unshown values.
  EXPECT_EQ(Inst().txtAHnet.Text(), "---");
  EXPECT_EQ(Inst().lblEqState.Caption(), "Off");
}

}  // namespace
