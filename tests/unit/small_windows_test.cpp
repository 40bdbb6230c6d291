// The splash and about windows, the system information search and the
// instructions window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

#include "app/frm_about.h"
#include "app/frm_help.h"
#include "app/frm_splash.h"
#include "common/app_info.h"
#include "console_harness.h"
#include "gtest_operator.h"

namespace {

class SmallWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
  }
  app::Console& C() { return h.console; }

  testkit::ConsoleHarness h;
};

TEST_F(SmallWindows, SplashAndAboutShowTheProgramsVersion) {
  const std::string version = "Version " + std::to_string(app_info::VersionMajor()) + "." +
                              std::to_string(app_info::VersionMinor()) + "." +
                              std::to_string(app_info::VersionRevision());
  EXPECT_EQ(C().Get<app::frmSplash>().lblVersion.Caption(), version);
  auto& about = C().Get<app::frmAbout>();
  EXPECT_EQ(about.lblVersion.Caption(), version);
  EXPECT_EQ(about.lblTitle.Caption(), "VKX-4700");
  about.Show();
  about.cmdOK.Press();
  EXPECT_EQ(C().IfLoaded<app::frmAbout>(), nullptr);
}

// Each step adds to the machine store or the files; the button starts the
// first tool found, or tells the operator there is none.
TEST_F(SmallWindows, SystemInfoStartsTheToolTheStoreNamesOnlyWhenItsFileExists) {
  const std::string own = h.temp.File("sysinfo");
  const std::string shared = (std::filesystem::path(h.temp.Path()) / app::kMsInfoProgram).string();
  auto& store = h.registry;
  const std::pair<std::function<void()>, std::string> steps[] = {  // "": the message instead
      {[] {}, ""},
      {[&] { store.SetMachineValue(app::kMsInfoKey, app::kMsInfoPathValue, own + '\0' + "x"); },
       ""},
      {[&] { store.SetMachineValue(app::kSharedToolsKey, app::kSharedToolsValue, h.temp.Path()); },
       ""},
      {[&] { std::ofstream(shared) << "tool"; }, shared},
      {[&] { std::ofstream(own) << "tool"; }, own}};
  auto& about = C().Get<app::frmAbout>();
  about.Show();
  for (const auto& [step, started] : steps) {
    step();
    h.launcher.started.clear();
    if (started.empty())
      h.rt.Operator().ExpectMsgBox("System Information Is Unavailable At This Time");
    about.cmdSysInfo.Press();
    testkit::ExpectScriptDone(h.rt);
    EXPECT_EQ(h.launcher.started.empty() ? "" : h.launcher.started.back(), started);
  }
}

TEST(InstructionsText, EveryLineEndsInCarriageReturnAndLineFeed) {
  EXPECT_EQ(app::InstructionsText(""), "");
  EXPECT_EQ(app::InstructionsText("a\r\nb\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(app::InstructionsText("a\nb\rc"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(app::InstructionsText("a\r\n\r\nb"), "a\r\n\r\nb\r\n");
}

TEST_F(SmallWindows, InstructionsComeFromTheProgramFolder) {
  ASSERT_EQ(h.folder.WriteFileAtomic(app::kInstructionsFileName, "First\r\nSecond\n"),
            std::nullopt);
  auto& help = C().Get<app::frmHelp>();
  EXPECT_EQ(help.txtHelp.Text(), "First\r\nSecond\r\n");
  help.Show();
  help.cmdOK.Press();
  EXPECT_EQ(C().IfLoaded<app::frmHelp>(), nullptr);

  ASSERT_EQ(h.folder.WriteFileAtomic(app::kInstructionsFileName, ""), std::nullopt);
  EXPECT_EQ(C().Get<app::frmHelp>().txtHelp.Text(), "");
}

TEST_F(SmallWindows, MissingInstructionsAreReportedAndLeaveTheTextEmpty) {
  std::filesystem::remove(h.temp.File(app::kInstructionsFileName));
  h.rt.Operator().ExpectMsgBox("~cannot be read");
  EXPECT_EQ(C().Get<app::frmHelp>().txtHelp.Text(), "");
  testkit::ExpectScriptDone(h.rt);
}

TEST_F(SmallWindows, ShippedInstructionsUseCarriageReturnLineFeedThroughout) {
  const auto text = h.folder.ReadFile(app::kInstructionsFileName);
  ASSERT_TRUE(text.has_value());
  ASSERT_GT(text->size(), 2000u);
  EXPECT_EQ(app::InstructionsText(*text), *text);
  EXPECT_EQ(C().Get<app::frmHelp>().txtHelp.Text(), *text);
}

}  // namespace
