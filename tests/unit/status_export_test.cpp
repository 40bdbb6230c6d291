// The status export "Status00.dat": its 167 lines in their order, written
// only while the map is shown, and never left half written.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/frm_progress.h"
#include "console_harness.h"
#include "gtest_operator.h"
#include "sites/frm_map.h"
#include "unit/frm_install.h"
#include "unit/status_export.h"

namespace {

TEST(StatusExport, WritesItsLinesInPlaceOnlyWhileTheMapIsShownAndNeverHalfAFile) {
  testkit::ConsoleHarness h;
  testkit::ReportToGtest(h.rt);
  ASSERT_TRUE(h.Start());
  const std::string path = h.folder.FilePath(unit::kStatusExportFileName);
  auto contents = [&] { return h.folder.ReadFile(unit::kStatusExportFileName).value_or(""); };
  auto& install = h.console.Get<unit::frmInstall>();
  install.udProp[0].Value = 7;
  install.udProp[221].Value = 3;
  install.txtModemInit.Text = "AT&FE0X0V0S0=2";
  install.optEqualization[1].Value = true;
  h.console.Get<app::frmProgress>().txtName.Text = "1234(North)";
  ASSERT_FALSE(h.folder.WriteFileAtomic(unit::kStatusExportFileName, "previous\r\n"));
  unit::SaveStatusFile(h.console, path);  // the map is hidden
  EXPECT_EQ(contents(), "previous\r\n");

  h.console.Get<sites::frmMap>().Show();
  unit::SaveStatusFile(h.console, path);
  const std::string whole = contents();
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = whole.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(whole.substr(at, end - at));
  ASSERT_EQ(lines.size(), 167u);
  EXPECT_EQ(lines[0] + "|" + lines[124], " 7| 3");  // parameters 0 and 221
  EXPECT_EQ(lines[125] + "|" + lines[126] + "|" + lines[127], "AT&FE0X0V0S0=2|False|True");
  EXPECT_EQ(lines[157], "1234(North)");
  for (size_t n = 162; n <= 167; ++n) EXPECT_EQ(lines[n - 1], "") << n;

  // The next file cannot be finished, as when the program stops while it
  // writes: the last whole file stays.
  std::filesystem::create_directory(path + ".tmp");
  h.rt.Operator().ExpectMsgBox("~Cannot write");
  unit::SaveStatusFile(h.console, path);
  EXPECT_EQ(contents(), whole);
  testkit::ExpectScriptDone(h.rt);
}

}  // namespace
