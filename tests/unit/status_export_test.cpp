// The status export "Status00.dat": its 167 lines in their order, written
// only while the map is shown, and never left half written.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "sites/frm_map.h"
#include "unit/frm_install.h"
#include "unit/status_export.h"

namespace {

class StatusExport : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }
  void Save() { unit::SaveStatusFile(h.console, path); }
  std::string Contents() { return h.folder.ReadFile(unit::kStatusExportFileName).value_or("(none)"); }

  testkit::ConsoleHarness h;
  std::string path = h.folder.FilePath(unit::kStatusExportFileName);
};

TEST_F(StatusExport, HoldsEveryLineInItsPlaceWhileTheMapIsShown) {
  auto& install = h.console.Get<unit::frmInstall>();
  install.udProp[0].Value = 7;
  install.udProp[221].Value = 3;
  install.txtModemInit.Text = "AT&FE0X0V0S0=2";
  install.optEqualization[1].Value = true;
  h.console.Get<app::frmProgress>().txtName.Text = "1234(North)";
  h.console.Get<sites::frmMap>().Show();
  Save();
  std::vector<std::string> lines;
  std::istringstream in(Contents());
  for (std::string line; std::getline(in, line);) {
    ASSERT_EQ(line.back(), '\r');
    lines.push_back(line.substr(0, line.size() - 1));
  }
  ASSERT_EQ(lines.size(), 167u);
  EXPECT_EQ(lines[0], " 7");      // parameter 0
  EXPECT_EQ(lines[124], " 3");    // parameter 221
  EXPECT_EQ(lines[125], "AT&FE0X0V0S0=2");
  EXPECT_EQ(lines[126] + lines[127], "FalseTrue");
  EXPECT_EQ(lines[157], "1234(North)");
  for (int n = 162; n <= 167; ++n) EXPECT_EQ(lines[static_cast<size_t>(n - 1)], "") << n;
}

TEST_F(StatusExport, LeavesThePreviousFileAsItWasWhenHiddenOrUnwritable) {
  ASSERT_FALSE(h.folder.WriteFileAtomic(unit::kStatusExportFileName, "previous\r\n"));
  Save();  // the map is hidden
  EXPECT_EQ(Contents(), "previous\r\n");
  h.console.Get<sites::frmMap>().Show();
  // The new file cannot be finished (its temporary file cannot be written),
  // as when the program stops in the middle of writing it.
  std::filesystem::create_directory(path + ".tmp");
  h.rt.Operator().ExpectMsgBox("~Cannot write");
  Save();
  EXPECT_EQ(Contents(), "previous\r\n");
}

}  // namespace
