// The status export "Status00.dat": its 167 lines in their order, written
// only while the map is shown or a callout run is active and only for a
// session that reached its unit, and never left half written.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

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
    h.console.st.SessionConnected = true;
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }
  std::string Contents() { return h.folder.ReadFile(unit::kStatusExportFileName).value_or(""); }
  std::vector<std::string> Lines() {
    const std::string whole = Contents();
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = whole.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(whole.substr(at, end - at));
    return lines;
  }
  void Save() { unit::SaveStatusFile(h.console, path); }

  testkit::ConsoleHarness h;
  const std::string path = h.folder.FilePath(unit::kStatusExportFileName);
};

TEST_F(StatusExport, WritesItsLinesInPlaceOnlyWhileTheMapIsShownAndNeverHalfAFile) {
  auto& install = h.console.Get<unit::frmInstall>();
  install.udProp[0].Value = 7;
  install.udProp[221].Value = 3;
  install.txtModemInit.Text = "AT&FE0X0V0S0=2";
  install.optEqualization[1].Value = true;
  h.console.Get<app::frmProgress>().txtName.Text = "1234(North)";
  ASSERT_FALSE(h.folder.WriteFileAtomic(unit::kStatusExportFileName, "previous\r\n"));
  Save();  // the map is hidden
  EXPECT_EQ(Contents(), "previous\r\n");

  h.console.Get<sites::frmMap>().Show();
  Save();
  const std::string whole = Contents();
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 167u);
  EXPECT_EQ(lines[0] + "|" + lines[124], " 7| 3");  // parameters 0 and 221
  EXPECT_EQ(lines[125] + "|" + lines[126] + "|" + lines[127], "AT&FE0X0V0S0=2|False|True");
  EXPECT_EQ(lines[157], "1234(North)");
  for (size_t n = 162; n <= 167; ++n) EXPECT_EQ(lines[n - 1], "") << n;

  // The next file cannot be finished, as when the program stops while it
  // writes: the last whole file stays.
  std::filesystem::create_directory(path + ".tmp");
  h.rt.Operator().ExpectMsgBox("~Cannot write");
  Save();
  EXPECT_EQ(Contents(), whole);
}

// Lines 1 to 125 carry these parameters, in this order, and no others.
TEST_F(StatusExport, CarriesEachExportedParameterOnItsLine) {
  const std::pair<int, int> ranges[] = {
      {0, 5},     {8, 15},    {17, 17},   {19, 19},   {21, 49},   {55, 61},   {75, 77},
      {95, 99},   {101, 105}, {107, 111}, {113, 117}, {119, 123}, {125, 129}, {131, 135},
      {137, 141}, {143, 147}, {149, 153}, {155, 159}, {161, 165}, {168, 171}, {185, 187},
      {195, 196}, {221, 221}};
  auto& install = h.console.Get<unit::frmInstall>();
  for (auto& [address, spinner] : install.udProp) spinner->Value = 1000 + address;
  h.console.Get<sites::frmMap>().Show();
  Save();
  const std::vector<std::string> lines = Lines();
  std::vector<std::string> expected;
  for (auto [first, last] : ranges)
    for (int a = first; a <= last; ++a) expected.push_back(" " + std::to_string(1000 + a));
  ASSERT_EQ(expected.size(), 125u);
  ASSERT_GE(lines.size(), 125u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 125), expected);
}

// Who is watching (the map, a callout run) and whether the last session
// reached its unit decide whether the file is written; after a call that
// never connected, the windows still hold the previous site's values.
TEST_F(StatusExport, IsWrittenWhileTheMapIsShownOrARunIsActiveForASessionThatReachedItsUnit) {
  struct Case {
    bool map_shown, run_active, connected, written;
  };
  const Case cases[] = {{false, false, true, false}, {true, false, true, true},
                        {false, true, true, true},   {true, true, false, false},
                        {true, false, false, false}, {false, true, false, false}};
  for (const Case& k : cases) {
    std::filesystem::remove(path);
    auto& map = h.console.Get<sites::frmMap>();
    k.map_shown ? map.Show() : map.Hide();
    h.console.st.CalloutActive = k.run_active;
    h.console.st.SessionConnected = k.connected;
    Save();
    EXPECT_EQ(std::filesystem::exists(path), k.written)
        << "map " << k.map_shown << ", run " << k.run_active << ", connected " << k.connected;
  }
}

}  // namespace
