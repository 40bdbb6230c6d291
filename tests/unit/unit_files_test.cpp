// The File menu's unit data commands against the simulated unit on virtual
// time: a status saved and loaded back in both variants, bulk data saved and
// uploaded, factory initialisation and the site-log download, and the files
// that are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/frm_get_log.h"
#include "app/frm_load.h"
#include "app/frm_main.h"
#include "app/frm_prog_bar.h"
#include "app/frm_progress.h"
#include "app/frm_readout.h"
#include "console_harness.h"
#include "core/text_replies.h"
#include "core/v4_frame.h"
#include "core/v4_replies.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/receive_loop.h"
#include "sample_parameter_dump.h"
#include "simulated_site.h"
#include "unit/frm_install.h"
#include "unit/parameter_writes.h"

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

  // A session to the unit on the road menu (the network, or a cable: a V4
  // unit on a cable is asked for by its address); `online` runs once the
  // unit is shown, and the session is hung up at hang_up_ms.
  void Session(sim::UnitConfig unit, ui::Menu& road, const std::function<void()>& online,
               std::int64_t hang_up_ms = 90'000) {
    site = std::make_unique<testkit::SimulatedSite>(h, unit);
    if (&road == &Main().mnuConnNet)
      site->AttachTcp();
    else
      site->AttachSerial(/*modem=*/false);
    if (h.console.st.V4Mode)
      h.rt.Operator().ExpectInputBox("~Unit Address to establish", std::to_string(unit.address));
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
  // The operator names the file the command saves; a binary one (a V4
  // unit's packet) is asked for as bulk data.
  void SaveAs(const std::string& name, ui::Menu& menu, bool binary = false) {
    h.rt.Operator().ExpectInputBox(binary ? "~to save bulk data" : "~to save status", name);
    menu.Choose();
  }
  // The dialect stored (and taken again by every hang-up) is V4.
  void UseV4Dialect() {
    h.registry.SaveSetting("Settings", "V4", "1");
    h.console.st.V4Mode = true;
  }
  // The operator uploads a bulk file made from the unit's memory (every
  // third value changed) and agrees to the warning; told: a message the
  // upload ends with. The image is returned.
  std::string StartUpload(const std::string& told = "") {
    std::string image("\x01\x13", 2);
    for (int a = 0; a < 298; ++a) image += static_cast<char>((site->Unit().Memory(a) + a % 3) % 256);
    EXPECT_FALSE(h.folder.WriteFileAtomic("unit.bdd", image + "tail beyond 300 bytes"));
    h.rt.Operator()
        .ExpectFileDialog(h.folder.FilePath("unit.bdd"))
        .ExpectMsgBox("~Warning: By proceeding with this operation", ui::vbYes);
    if (!told.empty()) h.rt.Operator().ExpectMsgBox(told);
    Main().mnuFileUploadBulk.Choose();
    return image;
  }
  int Taken(const std::string& command) {
    int n = 0;
    for (const auto& c : site->Unit().Commands()) n += c == command;
    return n;
  }
  // The V4 packets the unit took, each with the address it was sent to.
  std::vector<std::pair<std::string, int>> V4Packets() {
    std::vector<std::pair<std::string, int>> packets;
    std::size_t i = 0;
    for (const auto& c : site->Unit().Commands())
      if (c.rfind("V4 ", 0) == 0) packets.emplace_back(c, site->Unit().PacketAddresses().at(i++));
    return packets;
  }
  // Writes the unit's value at address plus one (a one-byte write, as a
  // parameter row's Send does); the value written is returned.
  int WriteNextValue(int address) {
    const int value = (site->Unit().Memory(address) + 1) % 256;
    h.console.st.WriteData = std::string(1, static_cast<char>(value));
    h.console.st.WriteAddress = address;
    unit::SendSetParameter(h.console);
    return value;
  }
  bool ReadoutShown() {
    auto* readout = h.console.IfLoaded<app::frmReadout>();
    return readout != nullptr && readout->Visible();
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

// A binary status file as the console saves one: the unit's dump packet
// with its CRC-32, zeros up to 350 bytes, then CR LF; built by the
// simulator's own codec.
std::string SavedPacketFile(sim::Unit& unit) {
  std::string packet = sim::FramedContent(sim::DumpPacketContent(
      unit.MemoryImage(), unit.Clock().Now(), unit.Status(), unit.FirmwareVersion(), 0));
  packet.resize(350, '\0');
  return packet + "\r\n";
}

TEST_F(UnitFiles, V4BulkDataIsTheDumpPacketAndLoadsBackOfflineAsData) {
  Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet,
          [&] { SaveAs("unit", Main().mnuFileSaveBulk, /*binary=*/true); });
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

  // Saved again offline, the binary image is written as the packet it came
  // from (whatever the dialect setting) and reads back alike.
  SaveAs("data", Main().mnuSaveStatus, /*binary=*/true);
  EXPECT_EQ(File("data.vkx"), packet + "\r\n");
  Screen().txtBattVolts.Text = "";
  h.console.st.PacketBuf.clear();
  Load("data.vkx");
  EXPECT_EQ(h.console.st.PacketBuf, packet);
  EXPECT_EQ(Screen().txtBattVolts.Text(), volts);
}

// The hang-up takes the stored (text) dialect again while the image still
// holds the unit's packet: Save Status As writes that packet, also when a
// write's acknowledgement came after it.
TEST_F(UnitFiles, SaveStatusAfterAV4SessionHungUpWritesItsStatusPacket) {
  std::string dump;
  int value = 0;
  Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet, [&] {
    dump = h.console.st.PacketBuf;
    value = WriteNextValue(7);
  });
  ASSERT_FALSE(h.console.st.V4Mode);
  ASSERT_EQ(site->Unit().Memory(7), value);
  ASSERT_NE(h.console.st.PacketBuf, dump) << "the acknowledgement is the last packet";
  const std::string volts = Screen().txtBattVolts.Text();
  SaveAs("after", Main().mnuSaveStatus, /*binary=*/true);
  const std::string file = File("after.vkx");
  EXPECT_EQ(file.size(), 352u);
  EXPECT_EQ(file, dump + "\r\n");

  Screen().txtBattVolts.Text = "";
  h.console.param.Eeprom.fill(0);
  Load("after.vkx");
  EXPECT_EQ(h.console.st.EepromImage, "(Data)");
  EXPECT_EQ(h.console.st.PacketBuf, dump);
  for (int a = 0; a <= 274; ++a)
    ASSERT_EQ(h.console.param.Eeprom[a], static_cast<unsigned char>(dump[a + 2])) << a;
  EXPECT_EQ(Screen().txtBattVolts.Text(), volts);
}

// Offline, with V4 the stored dialect, Save Status As saves the status that
// is loaded (a text unit's, from its file): no unit is asked, and nothing
// is left waiting to turn the next session's dump into a file prompt.
TEST_F(UnitFiles, SaveStatusOfflineInV4ModeSavesTheLoadedStatusAndLeavesNothingPending) {
  Session({.firmware = 30100}, Main().mnuDirect, [&] { SaveAs("site", Main().mnuSaveStatus); });
  UseV4Dialect();
  Load("site.vkx");
  const std::size_t sent = h.serial.AllWritten().size() + h.tcp.AllWritten().size();
  SaveAs("again", Main().mnuSaveStatus);
  EXPECT_EQ(File("again.vkx"), File("site.vkx"));
  EXPECT_FALSE(h.console.st.SaveBulkPending);
  EXPECT_FALSE(ReadoutShown());
  EXPECT_EQ(h.serial.AllWritten().size() + h.tcp.AllWritten().size(), sent) << "no unit asked";

  // The next session's dump shows the unit; no file name is asked.
  Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet, [] {});
  EXPECT_EQ(h.console.st.EepromImage, "(Data)");
}

// A save asked of a V4 unit that does not answer ends with its session: the
// hang-up closes "Retrieving EEPROM bulk data..." and drops the save, so the
// next session's dump is no file prompt.
TEST_F(UnitFiles, SaveWaitingForItsPacketEndsWithTheSession) {
  Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet, [&] {
    site->Unit().Faults().dropped_replies = -1;
    Main().mnuSaveStatus.Choose();
    EXPECT_TRUE(h.console.st.SaveBulkPending);
    EXPECT_TRUE(ReadoutShown());
  }, 40'000);
  EXPECT_FALSE(h.console.st.SaveBulkPending);
  EXPECT_FALSE(ReadoutShown());

  Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet, [] {});
  EXPECT_EQ(h.console.st.EepromImage, "(Data)");
  EXPECT_FALSE(ReadoutShown());
}

// A file that is no status file is refused before anything shown changes,
// with a message naming it and the reason: text of fewer than three lines
// or whose lines are no dump, U line and V line,
// a short file, 400 bytes of 0xFF, a site-log file, a packet cut short and
// one with a bit changed. A whole packet loads.
TEST_F(UnitFiles, RefusedFilesAndCancelLeaveTheStatusShownAsItWas) {
  site = std::make_unique<testkit::SimulatedSite>(
      h, sim::UnitConfig{.dialect = Dialect::kV4, .firmware = 30100});
  const std::string good = SavedPacketFile(site->Unit());
  std::string cut = good;
  std::fill(cut.begin() + 200, cut.begin() + 350, '\0');
  std::string flipped = good;
  flipped[120] = static_cast<char>(flipped[120] ^ 0x10);
  const std::string site_log = sim::SiteLogText(1, site->Unit().Log()) + "\r\n";
  ASSERT_GE(site_log.size(), 350u);
  const std::string u_line = "U 26/03/02 5 10:04:07 3 1250 10 20 25 30 0 0 0";
  const std::string v_line = "V 0 0 1 0 0 1200 1500 300";
  const struct {
    std::string name, bytes, reason;
  } files[] = {
      {"two.vkx", "255 0 1\r\nU 1\r\n", "it holds fewer than three lines"},
      {"words.vkx", "2\r\nno dump\r\nhere\r\n", "its first line is no parameter dump"},
      {"backwards.vkx", "2 1 7 0 9\r\n" + u_line + "\r\n" + v_line + "\r\n",
       "its first line is no parameter dump"},
      {"year.vkx", "2 0 1 1 2\r\n03\r\n" + v_line + "\r\n", "its second line is no U status line"},
      {"cut_u.vkx", "2 0 1 1 2\r\nU 26/03/02 5 10:04:07 3\r\n" + v_line + "\r\n",
       "its second line is no U status line"},
      {"no_v.vkx", "2 0 1 1 2\r\n" + u_line + "\r\nV 0 0 1\r\n", "its third line is no V status line"},
      {"short.vkx", std::string(349, '\x01'), "it is shorter than 350 bytes"},
      {"ff.vkx", std::string(400, '\xff'),
       "its length field gives 65535 parameters, more than a packet holds"},
      {"sitelog.vkx", site_log, "its length field gives 21353 parameters, more than a packet holds"},
      {"cut.vkx", cut, "its CRC-32 check fails"},
      {"flipped.vkx", flipped, "its CRC-32 check fails"},
  };
  h.console.st.EepromImage = "kept";
  h.console.st.PacketBuf = h.console.st.StatusPacket = "kept packet";
  h.console.param.Eeprom.fill(7);
  Screen().txtProp[27].Text = "kept";
  for (const auto& f : files) {
    ASSERT_FALSE(h.folder.WriteFileAtomic(f.name, f.bytes));
    h.rt.Operator().ExpectMsgBox("~" + f.name + "\" is not a complete status file (" + f.reason +
                                 "); the status shown is unchanged.");
    Load(f.name);
  }
  Load("");  // highlighted nothing, cancelled
  EXPECT_EQ(h.console.st.EepromImage, "kept");
  EXPECT_EQ(h.console.st.PacketBuf, "kept packet");
  EXPECT_EQ(h.console.st.StatusPacket, "kept packet");
  for (int a = 0; a <= 300; ++a) ASSERT_EQ(h.console.param.Eeprom[a], 7) << a;
  EXPECT_EQ(Screen().txtProp[27].Text(), "kept");
  EXPECT_EQ(h.console.st.StatusFilePath, "");

  ASSERT_FALSE(h.folder.WriteFileAtomic("good.vkx", good));
  h.rt.Operator().AllowMsgBox("~Data boundary error(s):");
  Load("good.vkx");
  EXPECT_EQ(h.console.st.EepromImage, "(Data)");
  EXPECT_EQ(h.console.st.PacketBuf, good.substr(0, 350));
  EXPECT_EQ(h.console.param.Eeprom[13], site->Unit().Memory(13));

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
  Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet,
          [&] { image = StartUpload(); },
          450'000);  // each acknowledgement ends at the link's 5 s idle time
  EXPECT_EQ(Taken("V4 S"), 74) << "0-3, then steps of four up to 292";
  for (int a = 0; a < 290; ++a)
    ASSERT_EQ(site->Unit().Memory(a), static_cast<unsigned char>(image[a + 2])) << a;
  EXPECT_FALSE(h.console.st.BulkWriteActive);
  EXPECT_EQ(h.console.IfLoaded<app::frmProgBar>(), nullptr);
}

// Each packet of an upload waits for its acknowledgement: a spoilt or lost
// one sends the packet again (four times at most), and an upload that still
// gets none ends, telling how many of the 74 packets the unit acknowledged.
// The unit's memory holds the packets it took, and nothing more.
TEST_F(UnitFiles, UploadGoesOnOnlyWithAcknowledgementsAndSaysHowFarItGot) {
  const struct {
    const char* fault;
    std::function<void(sim::FaultPlan&)> set;
    int packets_taken;  // "V4 S" the unit took, repeats included
    int acknowledged;   // of 74
    int bytes_written;  // from address 0
  } cases[] = {
      {"link cut after 3 packets", [](sim::FaultPlan& f) { f.commands_before_cut = 3; }, 3, 3, 12},
      {"acknowledgements lost", [](sim::FaultPlan& f) { f.dropped_replies = -1; }, 5, 0, 4},
      {"two acknowledgements spoilt", [](sim::FaultPlan& f) { f.bad_crc_replies = 2; }, 76, 74, 296},
      // Each acknowledgement comes after the 6 s wait, so its packet is sent
      // again and the late answer to the first sending meets the next
      // packet: it counts for neither. The unit takes packets 1, 1, 2, 3, 3.
      {"late acknowledgements, link cut after 5 packets",
       [](sim::FaultPlan& f) {
         f.slow_replies = -1;
         f.slow_reply_ms = 6500;
         f.commands_before_cut = 5;
       },
       5, 3, 12},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.fault);
    std::string image;
    std::vector<int> before;
    Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet, [&] {
      for (int a = 0; a < 298; ++a) before.push_back(site->Unit().Memory(a));
      t.set(site->Unit().Faults());
      image = StartUpload(t.acknowledged == 74 ? ""
                                               : "The unit acknowledged " +
                                                     std::to_string(t.acknowledged) +
                                                     " of 74 packets; the write into its "
                                                     "memory is incomplete.");
    }, 500'000);
    EXPECT_EQ(Taken("V4 S"), t.packets_taken);
    for (int a = 0; a < 298; ++a)
      ASSERT_EQ(site->Unit().Memory(a),
                a < t.bytes_written ? static_cast<unsigned char>(image[a + 2]) : before[a])
          << a;
    EXPECT_FALSE(h.console.st.BulkWriteActive);
    EXPECT_EQ(h.console.IfLoaded<app::frmProgBar>(), nullptr);
  }
}

// Saving is refused while an upload runs: its request would take the
// upload's place on the link. The upload goes on to its end.
TEST_F(UnitFiles, SavesAreRefusedWhileAnUploadRuns) {
  std::string image;
  Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet, [&] {
    image = StartUpload();
    h.rt.After(10'000, [&] {
      Main().mnuSaveStatus.Choose();
      Main().mnuFileSaveBulk.Choose();
      EXPECT_FALSE(h.console.st.SaveBulkPending);
      EXPECT_FALSE(ReadoutShown());
    });
  }, 450'000);
  EXPECT_EQ(Taken("V4 S"), 74);
  EXPECT_EQ(Taken("V4 D"), 1) << "the session's own dump only";
  for (int a = 0; a < 290; ++a)
    ASSERT_EQ(site->Unit().Memory(a), static_cast<unsigned char>(image[a + 2])) << a;
  EXPECT_NE(h.console.Get<app::frmProgress>().txtLog.Text().find("Not sent:"), std::string::npos);
}

// Cancel on "Retrieving EEPROM bulk data..." drops the save: the packet that
// comes is shown, and no file name is asked for.
TEST_F(UnitFiles, CancelWhileRetrievingBulkDataDropsTheSave) {
  for (ui::Menu* save : {&Main().mnuSaveStatus, &Main().mnuFileSaveBulk}) {
    Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet, [&] {
      site->Unit().Faults().slow_replies = 1;
      site->Unit().Faults().slow_reply_ms = 2000;
      save->Choose();
      ASSERT_TRUE(ReadoutShown());
      h.console.Get<app::frmReadout>().cmdCancel.Press();
      EXPECT_FALSE(ReadoutShown());
    }, 60'000);
    EXPECT_FALSE(h.console.st.SaveBulkPending);
    EXPECT_EQ(Taken("V4 D"), 2);
    EXPECT_EQ(h.console.st.EepromImage, "(Data)");
  }
}

// A hang-up in the middle of an upload ends it (telling how far it got) and
// closes its progress window; so does the start of a new session when the
// last one ended without a hang-up. The new session's first write is then a
// write of its own, confirmed by "Value Updated Successfully".
TEST_F(UnitFiles, HangUpOrANewSessionEndsAnUploadSoTheNextWriteIsConfirmed) {
  const std::string told = "~ of 74 packets; the write into its memory is incomplete.";
  for (const bool hang_up : {true, false}) {
    SCOPED_TRACE(hang_up ? "hung up" : "new session");
    site = std::make_unique<testkit::SimulatedSite>(
        h, sim::UnitConfig{.dialect = Dialect::kV4, .firmware = 40100});
    site->AttachTcp();
    h.rt.After(30'000, [&] { StartUpload(hang_up ? told : ""); });
    h.rt.After(50'000, [&] {
      if (hang_up) Main().mnuDisconnect.Choose();
      h.console.st.StopReceive = true;
    });
    Main().mnuConnNet.Choose();
    EXPECT_EQ(h.console.st.BulkWriteActive, !hang_up);
    EXPECT_EQ(h.console.IfLoaded<app::frmProgBar>() == nullptr, hang_up);

    // Told once the new session starts (after its address is asked).
    if (!hang_up) h.rt.Operator().AllowMsgBox(told);
    const std::size_t boxes = h.rt.Operator().MsgBoxPrompts().size();
    const int beeps = h.rt.BeepCount();
    int value = 0;
    Session({.dialect = Dialect::kV4, .firmware = 40100}, Main().mnuConnNet, [&] {
      EXPECT_FALSE(h.console.st.BulkWriteActive);
      EXPECT_EQ(h.console.IfLoaded<app::frmProgBar>(), nullptr);
      value = WriteNextValue(13);
    });
    EXPECT_EQ(site->Unit().Memory(13), value);
    EXPECT_EQ(Taken("V4 S"), 1);
    EXPECT_EQ(h.rt.BeepCount(), beeps + 1) << "the success notice beeps as it closes";
    if (!hang_up) {
      const auto prompts = h.rt.Operator().MsgBoxPrompts();
      ASSERT_EQ(prompts.size(), boxes + 1);
      EXPECT_NE(prompts.back().find(told.substr(1)), std::string::npos) << prompts.back();
    }
  }
}

// The upload's refusals leave the unit untouched: a text unit, a ".bdd" too
// short to hold an image or one that cannot be read (both told with their
// true reason before the warning asks to erase anything), "No" to the
// warning, a cancelled file dialog.
TEST_F(UnitFiles, UploadRefusalsAreToldBeforeTheWarningAndSendNothingToTheUnit) {
  ASSERT_FALSE(h.folder.WriteFileAtomic("short.bdd", std::string(299, '\x01')));
  const std::string unreadable = h.folder.FilePath("unreadable.bdd");
  ASSERT_TRUE(std::filesystem::create_directory(unreadable));  // read fails as root too
  ASSERT_FALSE(h.folder.WriteFileAtomic("whole.bdd", std::string(300, '\x01')));
  auto& op = h.rt.Operator();
  const std::string short_file = h.folder.FilePath("short.bdd");
  const std::string whole_file = h.folder.FilePath("whole.bdd");
  const struct {
    const char* refusal;
    Dialect dialect;
    std::function<void()> answers;
  } cases[] = {
      {"a text unit", Dialect::kText,
       [&] { op.ExpectMsgBox("Bulk data can only be uploaded into a V4 unit."); }},
      {"a short file", Dialect::kV4,
       [&] {
         op.ExpectFileDialog(short_file)
             .ExpectMsgBox("\"" + short_file +
                           "\" is not a bulk dump file (it is shorter than 300 bytes); nothing "
                           "was uploaded.");
       }},
      {"an unreadable file", Dialect::kV4,
       [&] {
         op.ExpectFileDialog(unreadable)
             .ExpectMsgBox("\"" + unreadable +
                           "\" cannot be read (Is a directory); nothing was uploaded.");
       }},
      {"No", Dialect::kV4,
       [&] { op.ExpectFileDialog(whole_file).ExpectMsgBox("~Warning: By proceeding", ui::vbNo); }},
      {"a cancelled file dialog", Dialect::kV4, [&] { op.ExpectFileDialog(""); }},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.refusal);
    std::size_t before = 0, after = 0;
    std::string image;
    Session({.dialect = t.dialect, .firmware = t.dialect == Dialect::kV4 ? 40100 : 30100},
            t.dialect == Dialect::kV4 ? Main().mnuConnNet : Main().mnuDirect, [&] {
              before = site->Unit().Commands().size();
              image = h.console.st.EepromImage;
              t.answers();
              Main().mnuFileUploadBulk.Choose();
              EXPECT_EQ(h.console.st.EepromImage, image);
              EXPECT_FALSE(h.console.st.BulkWriteActive);
              EXPECT_EQ(h.console.IfLoaded<app::frmProgBar>(), nullptr);
              h.rt.After(30'000, [&] { after = site->Unit().Commands().size(); });
            });
    EXPECT_EQ(after, before);
  }
}

// On a cable a V4 unit is asked for by its own address; Save Bulk Data asks
// the address every unit answers, 65535, and saves the answer.
TEST_F(UnitFiles, SaveBulkDataOnACableAsksTheAddressEveryUnitAnswers) {
  UseV4Dialect();
  Session({.dialect = Dialect::kV4, .firmware = 40100, .address = 7}, Main().mnuDirect,
          [&] { SaveAs("bulk", Main().mnuFileSaveBulk, /*binary=*/true); });
  EXPECT_EQ(V4Packets(), (std::vector<std::pair<std::string, int>>{{"V4 D", 7}, {"V4 D", 65535}}));
  EXPECT_EQ(File("bulk.vkx"), h.console.st.PacketBuf + "\r\n");
}

// Factory Initialize of a V4 unit sends one "Init" packet to the unit's own
// address, and the unit restores its factory parameters. A good
// acknowledgement shows the success notice; a spoilt one is not sent again
// and shows none. Either way the command ends.
TEST_F(UnitFiles, V4FactoryInitialiseSendsOneInitAndTellsOnlyAGoodAnswer) {
  UseV4Dialect();
  for (const bool spoilt : {false, true}) {
    SCOPED_TRACE(spoilt ? "spoilt acknowledgement" : "good acknowledgement");
    int factory = -1, beeps = 0, state = -1;
    Session({.dialect = Dialect::kV4, .firmware = 40100, .address = 7}, Main().mnuDirect, [&] {
      factory = site->Unit().Memory(13);
      site->Unit().SetMemory(13, (factory + 1) % 256);
      site->Unit().Faults().bad_crc_replies = spoilt ? 1 : 0;
      beeps = h.rt.BeepCount();
      Main().mnuFactoryInit_Click();
      h.rt.After(30'000, [&] { state = h.console.st.CmdState; });
    });
    EXPECT_EQ(V4Packets().back(), (std::pair<std::string, int>{"V4 Init", 7}));
    EXPECT_EQ(Taken("V4 Init"), 1);
    EXPECT_EQ(site->Unit().Memory(13), factory);
    EXPECT_EQ(h.rt.BeepCount() - beeps, spoilt ? 0 : 1);
    EXPECT_EQ(state, lnk::kIdle);
  }
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
  // A packet held from an earlier session is no unit to ask.
  h.console.st.PacketBuf = std::string(350, '\0');
  op.ExpectMsgBox("You must first establish a connection to the VKX-4700 before you may save bulk data");
  Main().mnuFileSaveBulk.Choose();
  EXPECT_FALSE(h.console.st.SaveBulkPending);
  EXPECT_FALSE(ReadoutShown());
  EXPECT_TRUE(h.serial.AllWritten().empty());

  // Offline, a status that would not read back whole is not saved: a
  // binary image whose packet is not held, and the raw image an upload
  // leaves (no dump text). No name is asked, no file written.
  for (const std::string& image : {std::string("(Data)"), std::string("\x01\x13\x05\x06", 4)}) {
    h.console.st.EepromImage = image;
    h.console.st.StatusPacket.clear();
    op.ExpectMsgBox(
        "The status held cannot be written as a whole status file; connect to the unit to save "
        "its status.");
    Main().mnuSaveStatus.Choose();  // an input box would be a failure
  }
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
