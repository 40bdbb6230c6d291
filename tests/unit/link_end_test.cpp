// A link that ends ends its session and the command under way, on every
// road and however it ends: the operator's Disconnect, the serial device
// going away, the modem losing the call. Against the simulated unit on
// virtual time: after the end nothing of the ended command runs (no reply
// handler, repeat or download window), the pages keep the last complete
// download, and a write cut short is told with the bytes the unit
// acknowledged, never as a success.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/frm_monitor.h"
#include "app/frm_progress.h"
#include "app/frm_send_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "simulated_site.h"
#include "site_rows.h"
#include "unit/frm_install.h"
#include "unit/parameter_writes.h"

namespace {

enum class Road { kCable, kModem };
// What runs when the line ends.
enum class UnderWay { kFirstDump, kRefresh, kTenByteWrite, kFactoryInit };
enum class Ending { kDisconnect, kDeviceGone, kCarrierLost };

constexpr std::int64_t kSessionUpMs = 45'000;  // dump and status are in
constexpr const char* kGone = "read failed";

struct Case {
  const char* name;
  Road road;
  UnderWay under_way;
  Ending ending;
  std::int64_t cut_after_ms;  // from the start of what is under way
};

std::string PrintCase(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class LinkEnd : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    h.rt.Operator().AllowMsgBox("~Data boundary error(s):");
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  void Begin(Road road) {
    ASSERT_TRUE(h.Start());
    site_id = testkit::AddSite(h.console, testkit::SiteRow{});
    testkit::SelectSite(h.console, site_id, testkit::SiteRow{});
    site = std::make_unique<testkit::SimulatedSite>(h, sim::UnitConfig{.firmware = 30100});
    site->AttachSerial(road == Road::kModem);
  }
  void Open(Road road) {
    if (road == Road::kModem) {
      h.console.cmd.Cmd[lnk::kDial] = "ATDT5550100\r";
      lnk::StartModemCall(h.console);
    } else {
      Main().mnuDirect.Choose();
    }
  }
  void StartUnderWay(UnderWay what) {
    switch (what) {
      case UnderWay::kFirstDump: return;
      case UnderWay::kRefresh: return Screen().cmdRefresh_Click();
      case UnderWay::kTenByteWrite:
        h.console.st.WriteData = "\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a";
        h.console.st.WriteAddress = 7;
        return unit::SendSetParameter(h.console);
      case UnderWay::kFactoryInit: return Main().mnuFactoryInit_Click();
    }
  }
  void End(Ending how) {
    switch (how) {
      case Ending::kDisconnect: return Main().mnuDisconnect.Choose();
      case Ending::kDeviceGone: return h.serial.Vanish(kGone);
      case Ending::kCarrierLost: return site->Modem()->RemoteHangUp();
    }
  }

  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  int UnitWrites() const {
    int n = 0;
    for (const auto& command : site->Unit().Commands()) n += command.rfind("Ss", 0) == 0;
    return n;
  }

  testkit::ConsoleHarness h;
  std::int32_t site_id = 0;
  std::unique_ptr<testkit::SimulatedSite> site;
};

TEST_P(LinkEnd, EndsTheCommandUnderWayAndTellsAWriteCutShort) {
  const Case& t = GetParam();
  Begin(t.road);
  const bool first_dump = t.under_way == UnderWay::kFirstDump;
  const bool writing = t.under_way == UnderWay::kTenByteWrite || t.under_way == UnderWay::kFactoryInit;
  const std::int64_t start_ms = first_dump ? 0 : kSessionUpMs;
  std::string image_before;
  int write_length = 0;
  std::size_t commands_at_end = 0;
  h.rt.After(start_ms, [&] {
    image_before = h.console.st.EepromImage;
    h.rt.After(t.cut_after_ms, [&] {
      ASSERT_TRUE(h.console.st.Online);
      if (const auto* progress = h.console.IfLoaded<app::frmSendProgress>())
        write_length = progress->ProgressBar1.Max();
      if (t.ending == Ending::kDeviceGone)
        h.rt.Operator().ExpectMsgBox("~The serial port COM2 is lost: read failed.");
      else if (writing)
        h.rt.Operator().ExpectMsgBox("~The link ended before the write was finished: ");
      End(t.ending);
      h.rt.After(1, [&] { commands_at_end = site->Unit().Commands().size(); });
    });
    StartUnderWay(t.under_way);
  });
  h.rt.After(start_ms + t.cut_after_ms + 30'000, [&] { h.console.st.StopReceive = true; });
  Open(t.road);

  auto& st = h.console.st;
  EXPECT_FALSE(st.Online);
  EXPECT_EQ(st.CmdState, lnk::kIdle);
  EXPECT_EQ(Main().StatusText() + "|" + h.console.Get<app::frmProgress>().txtStatus.Text(),
            "Disconnected|Disconnected");
  EXPECT_FALSE(h.console.Get<app::frmMonitor>().Visible()) << "no download window after the end";
  EXPECT_FALSE(h.console.IfLoaded<app::frmSendProgress>());
  EXPECT_EQ(site->Unit().Commands().size(), commands_at_end) << "nothing repeated after the end";
  EXPECT_NE(testkit::SiteField(h.console, site_id, "ConnectLog").find("Disconnecting..."),
            std::string::npos);
  EXPECT_EQ(testkit::SiteField(h.console, site_id, "Alarms"), "0000000000000000");
  if (!first_dump) {
    EXPECT_TRUE(st.EepromImage == image_before) << "the last complete download stays";
  }
  EXPECT_EQ(h.rt.BeepCount(), 0) << "no \"Value Updated Successfully\"";

  const std::vector<std::string> told = h.rt.Operator().MsgBoxPrompts();
  if (writing) {
    ASSERT_FALSE(told.empty());
    // The unit may hold the byte whose answer the end cut off; the count is
    // of those it acknowledged.
    const int taken = UnitWrites();
    const std::string tail = " of " + std::to_string(write_length) + " bytes.";
    const auto told_acknowledged = [&](int n) {
      return told.back().find("acknowledged " + std::to_string(n) + tail) != std::string::npos;
    };
    EXPECT_TRUE(told_acknowledged(taken) || told_acknowledged(taken - 1)) << told.back() << " (unit took " << taken << ")";
    EXPECT_GT(taken, 0);
    EXPECT_LT(taken, write_length);
  }
  if (t.ending == Ending::kCarrierLost) {
    const std::string written = h.serial.AllWritten();
    EXPECT_EQ(written.find("+++"), std::string::npos) << "no escape to a modem without a call";
    EXPECT_NE(written.find("ATH0\r"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Roads, LinkEnd,
    ::testing::Values(
        Case{"CableDisconnectDuringFirstDump", Road::kCable, UnderWay::kFirstDump,
             Ending::kDisconnect, 1'000},
        Case{"CableDisconnectDuringRefresh", Road::kCable, UnderWay::kRefresh, Ending::kDisconnect,
             3'000},
        Case{"CableDeviceGoneDuringRefresh", Road::kCable, UnderWay::kRefresh, Ending::kDeviceGone,
             3'000},
        Case{"ModemDisconnectDuringRefresh", Road::kModem, UnderWay::kRefresh, Ending::kDisconnect,
             3'000},
        Case{"ModemCarrierLostDuringRefresh", Road::kModem, UnderWay::kRefresh,
             Ending::kCarrierLost, 3'000},
        Case{"CableDisconnectDuringTextWrite", Road::kCable, UnderWay::kTenByteWrite,
             Ending::kDisconnect, 3'500},
        Case{"ModemDisconnectDuringTextWrite", Road::kModem, UnderWay::kTenByteWrite,
             Ending::kDisconnect, 3'500},
        Case{"CableDeviceGoneDuringTextWrite", Road::kCable, UnderWay::kTenByteWrite,
             Ending::kDeviceGone, 3'500},
        Case{"CableDisconnectDuringFactoryInit", Road::kCable, UnderWay::kFactoryInit,
             Ending::kDisconnect, 3'500},
        Case{"ModemDeviceGoneDuringFactoryInit", Road::kModem, UnderWay::kFactoryInit,
             Ending::kDeviceGone, 3'500}),
    PrintCase);

}  // namespace
