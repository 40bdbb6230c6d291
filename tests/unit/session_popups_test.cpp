// The small windows of a session: the establish window that starts the
// download, the success notice, alarm windows, progress windows and their
// Cancel buttons.
#include <gtest/gtest.h>

#include "app/frm_alarm.h"
#include "app/frm_establish.h"
#include "app/frm_get_log.h"
#include "app/frm_main.h"
#include "app/frm_message.h"
#include "app/frm_monitor.h"
#include "app/frm_readout.h"
#include "app/frm_send_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"

namespace {

class SessionPopups : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  app::Console& C() { return h.console; }

  testkit::ConsoleHarness h;
};

TEST_F(SessionPopups, EstablishStartsTheDumpTwoSecondsAfterItOpens) {
  h.serial.SetPortOpen(true);
  C().param.Received.fill(true);
  const auto opened = h.rt.Now();
  // Shown modally, as the reply handler does after "CONNECT".
  C().Get<app::frmEstablish>().Show(true, &C().Get<app::frmMain>());

  ASSERT_FALSE(h.serial.Writes().empty());
  EXPECT_EQ(h.serial.Writes().front().bytes, "D");
  EXPECT_EQ(h.serial.Writes().front().at.ms - opened.ms, 2000);
  EXPECT_EQ(C().IfLoaded<app::frmEstablish>(), nullptr);
  EXPECT_EQ(C().st.CmdState, 10);
  EXPECT_FALSE(C().st.AutoNext);
  for (int a = 0; a <= 255; ++a) EXPECT_FALSE(C().param.Received[static_cast<size_t>(a)]) << a;
  EXPECT_TRUE(C().param.Received[256]) << "only the addresses of the text dump are cleared";

  auto& monitor = C().Get<app::frmMonitor>();
  EXPECT_TRUE(monitor.Visible());
  EXPECT_EQ(monitor.txtCaption.Text(), "Downloading EEPROM data...");
  EXPECT_EQ(monitor.ProgressBar1.Max(), 1690);
  EXPECT_EQ(monitor.ProgressBar1.Value(), 0);
}

TEST_F(SessionPopups, EstablishCannotBeClosedBeforeTheDumpStarts) {
  h.serial.SetPortOpen(true);
  h.rt.Operator().OnModal("frmEstablish", [](ui::Form& f) { f.UserClose(); });
  const auto opened = h.rt.Now();
  C().Get<app::frmEstablish>().Show(true, &C().Get<app::frmMain>());
  ASSERT_FALSE(h.serial.Writes().empty());
  EXPECT_EQ(h.serial.Writes().front().at.ms - opened.ms, 2000);
  EXPECT_EQ(C().st.CmdState, 10);
}

TEST_F(SessionPopups, SuccessNoticeBeepsOnceAndClosesAfterOneSecond) {
  const int beeps = h.rt.BeepCount();
  auto& notice = C().Get<app::frmMessage>();
  notice.Show();
  EXPECT_EQ(notice.Label1.Caption(), "Value Updated Successfully");
  h.rt.RunFor(999);
  EXPECT_TRUE(notice.Visible());
  EXPECT_EQ(h.rt.BeepCount(), beeps);
  h.rt.RunFor(1);
  EXPECT_EQ(C().IfLoaded<app::frmMessage>(), nullptr);
  EXPECT_EQ(h.rt.BeepCount(), beeps + 1);
  h.rt.RunFor(10000);
  EXPECT_EQ(h.rt.BeepCount(), beeps + 1);

  // A later notice gets its full second again.
  notice.Show();
  h.rt.RunFor(999);
  EXPECT_TRUE(notice.Visible());
  h.rt.RunFor(1);
  EXPECT_EQ(h.rt.BeepCount(), beeps + 2);
}

TEST_F(SessionPopups, EachAlarmReportHasItsOwnWindow) {
  auto& first = C().NewInstance<app::frmAlarm>();
  first.Show();
  first.txtSite.Text = "12";
  auto& second = C().NewInstance<app::frmAlarm>();
  second.Show();
  second.txtSite.Text = "34";
  EXPECT_NE(&first, &second);
  EXPECT_EQ(second.Caption(), "Alarm Received");

  first.cmdClose.Press();
  EXPECT_FALSE(first.IsLoaded());
  EXPECT_TRUE(second.Visible());
  EXPECT_EQ(second.txtSite.Text(), "34");
}

// The byte in flight (the bar's value counts those before it) still goes
// out; the operator is told how many went, and the write's last reply then
// brings no success notice. A window with nothing left to write tells nothing.
TEST_F(SessionPopups, SendCancelDropsTheBytesNotYetWrittenAndTellsHowManyWent) {
  C().st.WriteData = "\x01\x02\x03";
  auto& window = C().Get<app::frmSendProgress>();
  window.ProgressBar1.Max = 5;
  window.ProgressBar1.Value = 1;
  window.Show();
  h.rt.Operator().ExpectMsgBox("Sending cancelled: 2 of 5 bytes went to the unit.");
  window.cmdCancel.Press();
  EXPECT_EQ(C().st.WriteData, "");
  EXPECT_TRUE(C().st.WriteCancelled);
  EXPECT_EQ(C().IfLoaded<app::frmSendProgress>(), nullptr);

  C().st.WriteCancelled = false;
  C().Get<app::frmSendProgress>().Show();
  C().Get<app::frmSendProgress>().cmdCancel.Press();
  EXPECT_FALSE(C().st.WriteCancelled);
  testkit::ExpectScriptDone(h.rt);
}

TEST_F(SessionPopups, OtherCancelButtonsOnlyCloseTheirWindow) {
  C().st.CmdState = 12;
  C().st.ProgressActive = true;

  auto& log = C().Get<app::frmGetLog>();
  log.Show();
  log.cmdCancel.Press();
  EXPECT_FALSE(log.Visible());
  EXPECT_TRUE(log.IsLoaded()) << "the log window is only hidden";

  auto& monitor = C().Get<app::frmMonitor>();
  monitor.Show();
  monitor.cmdCancel.Press();
  EXPECT_EQ(C().IfLoaded<app::frmMonitor>(), nullptr);

  auto& readout = C().Get<app::frmReadout>();
  readout.lblReadout.Caption = "Attempting network connection...";
  readout.Show();
  readout.cmdCancel.Press();
  EXPECT_EQ(C().IfLoaded<app::frmReadout>(), nullptr);

  EXPECT_EQ(C().st.CmdState, 12);
  EXPECT_TRUE(C().st.ProgressActive);
}

}  // namespace
