// Starts the real console binary offscreen in a fresh program folder, grabs
// its main window, closes it with a termination signal and checks what the
// shutdown left on disk.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "console_child.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using e2e::ReadFile;

// Runs the console offscreen with the program folder home and the per-user
// store under config until it has grabbed its main window as shot, then
// ends it with a termination signal, expecting a clean start and end.
void RunConsole(const std::string& home, const std::string& config, const std::string& shot) {
  fs::remove(shot);
  e2e::ConsoleChild::Options options;
  options.home = home;
  options.config = config;
  options.args = {"--grab", shot};
  e2e::ConsoleChild console(options);
  ASSERT_TRUE(console.Started());
  bool grabbed = e2e::WaitFor([&] { return fs::exists(shot) && fs::file_size(shot) > 0; },
                              std::chrono::seconds(30));
  EXPECT_TRUE(grabbed) << "no picture of the main window";
  console.Signal(SIGTERM);
  ASSERT_TRUE(console.WaitForEnd(std::chrono::seconds(20)))
      << "the console did not end after SIGTERM";
  EXPECT_EQ(console.How(), "exit 0");
}

std::string ShotPath(const std::string& name) {
  const std::string shot_dir = std::string(VKX_ARTIFACT_DIR) + "/screens";
  fs::create_directories(shot_dir);
  return shot_dir + "/" + name;
}

TEST(ConsoleBinary, StartsShowsTheMainWindowAndShutsDownCleanly) {
  testkit::TempFolder temp;
  const std::string home = temp.File("home");
  const std::string config = temp.File("config");
  RunConsole(home, config, ShotPath("main_window_started.png"));

  // The program folder was seeded, and the settings file written back whole.
  std::string settings = ReadFile(home + "/VKX1300.ini");
  EXPECT_NE(settings.find("[ModemInit]=AT&F1S0=0\r\n"), std::string::npos);
  EXPECT_EQ(settings.substr(settings.size() - 5), "***\r\n");
  EXPECT_TRUE(fs::exists(home + "/Dozur.mdb"));
  EXPECT_FALSE(fs::exists(home + "/VKX1300.ini.tmp"));
  // The geometry went to the per-user store.
  std::string store = ReadFile(config + "/vkx4700/VKX-4700.ini");
  EXPECT_NE(store.find("MainWidth=6500"), std::string::npos);
  EXPECT_NE(store.find("MainLeft=1000"), std::string::npos);
}

// Folders named in any script hold the program's files and the per-user
// store, each at its own path.
TEST(ConsoleBinary, RunsInFoldersNamedInAnyScript) {
  testkit::TempFolder temp;
  const std::string home = temp.File("Donn\u00e9es \u041a\u0430\u0440\u0442\u044b \u5730\u56f3");
  const std::string config = temp.File("r\u00e9glages \u043a\u043e\u043d\u0444\u0438\u0433");
  const std::string shot = home + " \u753b\u9762.png";
  RunConsole(home, config, shot);
  EXPECT_GT(fs::file_size(shot), 1000u);
  const std::string settings = ReadFile(home + "/VKX1300.ini");
  EXPECT_EQ(settings.substr(settings.size() - 5), "***\r\n");
  EXPECT_TRUE(fs::exists(home + "/Dozur.mdb"));
  EXPECT_NE(ReadFile(config + "/vkx4700/VKX-4700.ini").find("MainWidth=6500"), std::string::npos);
}

}  // namespace
