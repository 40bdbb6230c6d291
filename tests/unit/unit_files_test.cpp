// The File menu's unit data commands against the simulated unit on virtual
// time: a status saved and loaded back in both variants, bulk data saved and
// uploaded, factory initialisation and the site-log download, and the files
// that are refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/frm_get_log.h"
#include "app/frm_load.h"
#include "app/frm_main.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/receive_loop.h"
#include "sample_parameter_dump.h"
#include "simulated_site.h"
#include "unit/frm_install.h"

namespace {

using sim::Dialect;

class UnitFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  app::frmMain& Main() { return h.console.Get<app::frmMain>(); }
  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }

  // A session to the unit on the road menu; `online` runs once the unit is
  // shown, and the session is hung up at hang_up_ms.
  void Session(sim::UnitConfig unit, ui::Menu& road, const std::function<void()>& online,
               std::int64_t hang_up_ms = 90'000) {
    site = std::make_unique<testkit::SimulatedSite>(h, unit);
    if (unit.dialect == Dialect::kV4) site->AttachTcp();
    else site->AttachSerial(/*modem=*/false);
    h.rt.After(30'000, online);
    h.rt.After(hang_up_ms, [this] { Main().mnuDisconnect.Choose(); });
    h.rt.After(hang_up_ms + 5'000, [this] { h.console.st.StopReceive = true; });
    road.Choose();
  }
  // The operator picks name in the Load File window; "" cancels.
  void Load(const std::string& name) {
    h.rt.Operator().OnModal("frmLoad", [name](ui::Form& f) {
      auto& picker = static_cast<app::frmLoad&>(f);
      for (int i = 0; i < picker.List1.ListCount(); ++i)
        if (picker.List1.List(i) == name) picker.List1.UserSelect(i);
      (name.empty() ? picker.cmdCancel : picker.cmdOK).Press();
    });
    Main().mnuStatusLoad.Choose();
  }
  // A V4 unit's save is its dump packet: the name is asked when it arrives.
  void SaveAs(const std::string& name, ui::Menu& menu) {
    h.rt.Operator().ExpectInputBox(h.console.st.V4Mode ? "~to save bulk data" : "~to save status",
                                   name);
    menu.Choose();
  }
  std::string File(const std::string& name) { return h.folder.ReadFile(name).value_or(""); }
  // What the installation screen shows of the unit: every parameter row,
  // the battery, the temperatures and the unit's clock.
  std::vector<std::string> Shown() {
    std::vector<std::string> texts;
    for (auto& [address, box] : Screen().txtProp) texts.push_back(box->Text());
    for (ui::TextBox* box : {&Screen().txtBattVolts, &Screen().txtTempBatt, &Screen().txtTempUnit,
                             &Screen().txtStatusDate, &Screen().txtTime, &Screen().txtAHnet})
      texts.push_back(box->Text());
    return texts;
  }

  testkit::ConsoleHarness h;
  std::unique_ptr<testkit::SimulatedSite> site;
};

// A saved status loads back to the screens the unit's session showed: from a
// plain dump, and from a checked one whose saved line keeps its check digits.
class TextStatusRoundTrip : public UnitFiles, public ::testing::WithParamInterface<int> {};

TEST_P(TextStatusRoundTrip, LoadsBackToTheSameScreensAndSavesTheSameLines) {
  std::vector<std::string> live;
  Session({.firmware = GetParam()}, Main().mnuDirect, [&] {
    live = Shown();
    SaveAs("site", Main().mnuSaveStatus);
    h.rt.Operator().ExpectInputBox("Enter a filename for this data (no extension):", "sitelog");
    Main().mnuDownloadLog_Click();
    EXPECT_TRUE(h.console.Get<app::frmGetLog>().Visible());
  });
  const std::string saved = File("site.vkx");
  ASSERT_EQ(saved.rfind("255", 0), 0u) << saved.substr(0, 20);
  EXPECT_NE(File("sitelog.vkx").find("\r\n"), std::string::npos);
  EXPECT_FALSE(h.console.Get<app::frmGetLog>().Visible());

  for (ui::TextBox* box : {&Screen().txtBattVolts, &Screen().txtProp[27]}) box->Text = "";
  h.console.param.Eeprom.fill(0);
  Load("site.vkx");
  EXPECT_EQ(Shown(), live);
  for (int a = 0; a <= 255; ++a) ASSERT_EQ(h.console.param.Eeprom[a], site->Unit().Memory(a)) << a;
  SaveAs("again", Main().mnuSaveStatus);
  EXPECT_EQ(File("again.vkx"), saved);
}

INSTANTIATE_TEST_SUITE_P(Firmware, TextStatusRoundTrip, ::testing::Values(30100, 32116));

TEST_F(UnitFiles, V4BulkDataIsTheDumpPacketAndLoadsBackOfflineAsData) {
  Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet,
          [&] { SaveAs("unit", Main().mnuFileSaveBulk); });
  const std::string packet = h.console.st.PacketBuf;  // the save's reply, the last packet
  const std::string volts = Screen().txtBattVolts.Text();
  ASSERT_EQ(File("unit.vkx"), packet + "\r\n");
  ASSERT_EQ(packet.size(), 350u);

  Screen().txtBattVolts.Text = "";
  h.console.st.PacketBuf.clear();
  Load("unit.vkx");
  EXPECT_EQ(h.console.st.EepromImage, "(Data)");
  EXPECT_EQ(h.console.st.PacketBuf, packet);
  EXPECT_EQ(Screen().txtBattVolts.Text(), volts);
  EXPECT_TRUE(Screen().Visible()) << "the Status page opens";
  EXPECT_FALSE(Screen().cmdUpdate.Enabled());

  // Saved again as text, "(Data)" heads a file that is read as binary and
  // is too short to be one.
  SaveAs("data", Main().mnuSaveStatus);
  EXPECT_EQ(File("data.vkx").rfind("(Data)\r\n", 0), 0u);
  h.rt.Operator().ExpectMsgBox("~is not a complete status file (it is shorter than 350 bytes)");
  Load("data.vkx");
  EXPECT_EQ(h.console.st.PacketBuf, packet);
}

TEST_F(UnitFiles, RefusedFilesAndCancelLeaveTheStatusShownAsItWas) {
  ASSERT_FALSE(h.folder.WriteFileAtomic("two.vkx", "255 0 1\r\nU 1\r\n"));
  ASSERT_FALSE(h.folder.WriteFileAtomic("short.vkx", std::string(349, '\x01')));
  h.console.st.EepromImage = "kept";
  Screen().txtProp[27].Text = "kept";
  h.rt.Operator()
      .ExpectMsgBox("~(it holds fewer than three lines); the status shown is unchanged.")
      .ExpectMsgBox("~(it is shorter than 350 bytes); the status shown is unchanged.");
  Load("two.vkx");
  Load("short.vkx");
  Load("");  // highlighted nothing, cancelled
  EXPECT_EQ(h.console.st.EepromImage, "kept");
  EXPECT_EQ(Screen().txtProp[27].Text(), "kept");
  EXPECT_EQ(h.console.st.StatusFilePath, "");

  // OK with no file chosen keeps the window open.
  h.rt.Operator().ExpectMsgBox("Please select a file or press 'Cancel'.").OnModal(
      "frmLoad", [](ui::Form& f) {
        auto& picker = static_cast<app::frmLoad&>(f);
        picker.cmdOK.Press();
        EXPECT_TRUE(picker.Visible());
        picker.cmdCancel.Press();
      });
  Main().mnuStatusLoad.Choose();
}

TEST_F(UnitFiles, UploadWritesTheBulkFileFourBytesAtATimeFromParameterZero) {
  std::string image;
  int writes = 0;
  Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet, [&] {
    image = std::string("\x01\x13", 2);
    for (int a = 0; a < 298; ++a) image += static_cast<char>((site->Unit().Memory(a) + a % 3) % 256);
    ASSERT_FALSE(h.folder.WriteFileAtomic("unit.bdd", image + "tail beyond 300 bytes"));
    h.rt.Operator()
        .ExpectFileDialog(h.folder.FilePath("unit.bdd"))
        .ExpectMsgBox("~Warning: By proceeding with this operation", ui::vbYes);
    Main().mnuFileUploadBulk.Choose();
  }, 450'000);  // each acknowledgement ends at the link's 5 s idle time
  for (const auto& command : site->Unit().Commands()) writes += command == "V4 S";
  EXPECT_EQ(writes, 74) << "0-3, then steps of four up to 292";
  for (int a = 0; a < 290; ++a)
    ASSERT_EQ(site->Unit().Memory(a), static_cast<unsigned char>(image[a + 2])) << a;
}

TEST_F(UnitFiles, CommandsRefuseWithoutWhatTheyNeed) {
  auto& op = h.rt.Operator();
  op.ExpectMsgBox("~You must first establish a connection to the VKX-4700 or load a status file")
      .ExpectMsgBox("You must first establish a connection to the VKX-4700 before you may save bulk data")
      .ExpectMsgBox("You must first be connected to a unit before you may upload bulk data.")
      .ExpectMsgBox("To initialize, first establish a connection to the VKX4700, and load a status file.")
      .ExpectMsgBox("You must first be connected to a site before you may download the site log file.");
  Main().mnuSaveStatus.Choose();
  Main().mnuFileSaveBulk.Choose();
  Main().mnuFileUploadBulk.Choose();
  Screen().Show();
  Screen().cmdInit.Enabled = true;
  Screen().cmdInit.Press();  // the screen's button is the menu's command
  Main().mnuDownloadLog_Click();
  EXPECT_TRUE(h.serial.AllWritten().empty());
}

// Text mode writes the loaded dump back from address 0, value by value in
// the text's order: the whole dump; the two pairs of a dump shorter than its
// first number says; the pairs before a value that is not a byte; a checked
// dump's values (not its check digits) before its line that fails the check.
TEST_F(UnitFiles, TextFactoryInitialiseWritesTheDumpValuesInOrderFromZero) {
  site = std::make_unique<testkit::SimulatedSite>(h, sim::UnitConfig{.firmware = 30100});
  site->AttachSerial(/*modem=*/false);
  h.serial.SetPortOpen(true);
  h.console.st.Online = true;
  std::string checked = testkit::SavedCheckedDump({7, 5, 6, 4}, 3);
  checked.replace(checked.find(testkit::CheckedLine("002 006")) + 6, 1, "7");
  for (const std::string& dump :
       std::vector<std::string>{"3 0 7 9 5 2 6 1 4", "255 0 7 1 5", "2 0 7 1 300 2 6", checked}) {
    h.console.st.EepromImage = dump;
    h.rt.After(0, [this] { Main().mnuFactoryInit_Click(); });
    h.rt.After(20'000, [this] { h.console.st.StopReceive = true; });
    lnk::ReceiveLoop(h.console);
  }
  EXPECT_EQ(site->Unit().Commands(),
            (std::vector<std::string>{"Ss000007", "Ss001005", "Ss002006", "Ss003004", "Ss000007",
                                      "Ss001005", "Ss000007", "Ss000007", "Ss001005"}));
}

}  // namespace
