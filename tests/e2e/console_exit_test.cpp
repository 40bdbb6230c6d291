// A termination signal ends the real console cleanly from any state: with a
// session's error box open over a session started from the keyboard, and
// with an error box of the start-up open (then without writing a file).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "console_child.h"
#include "console_harness.h"
#include "platform/program_folder.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A program folder seeded from the shipped files, and a per-user store with
// a saved window rectangle of the operator's.
struct ConsoleFolders {
  ConsoleFolders() {
    fs::create_directories(config + "/vkx4700");
    platform::ProgramFolder folder(home);
    if (auto error = folder.EnsureSeeded(testkit::ShippedDataDir())) ADD_FAILURE() << *error;
    e2e::WriteFile(store, "[Settings]\nMainLeft=300\nMainTop=200\nMainWidth=9000\nMainHeight=7000\n");
  }
  e2e::ConsoleChild::Options Options() const {
    e2e::ConsoleChild::Options options;
    options.home = home;
    options.config = config;
    options.report = temp.File("boxes.txt");
    options.stderr_file = temp.File("stderr.txt");
    return options;
  }
  std::string Stderr() const { return e2e::ReadFile(temp.File("stderr.txt")); }

  testkit::TempFolder temp;
  std::string home = temp.File("home");
  std::string config = temp.File("config");
  std::string store = config + "/vkx4700/VKX-4700.ini";
};

#ifdef VKX_OPERATOR_HANDS
#ifdef VKX_SIM_BIN
// The session runs from the menu chosen by keys (Alt+C, D: the direct cable)
// and waits in its receive loop beneath the box; the signal's shutdown then
// ends the loops and the program, and no freed window is written to.
TEST(ConsoleExit, EndsCleanlyOnSigtermWithASessionErrorBoxOpen) {
  // Every dump leaves address 100 out: after three tries the session tells
  // of the failed dump in a box.
  testkit::SimProcess sim(VKX_SIM_BIN, {"--pty", "--missing", "100"});
  ASSERT_FALSE(sim.Endpoint().empty());
  ConsoleFolders f;
  e2e::WriteFile(f.store, e2e::ReadFile(f.store) + "[Ports]\nCOM2=" + sim.Endpoint() + "\n");
  auto options = f.Options();
  options.keys = "Alt+C D";
  e2e::ConsoleChild console(options);
  ASSERT_TRUE(console.Started());
  ASSERT_TRUE(console.WaitForBox("Error retrieving EEPROM data.", 60s))
      << e2e::ReadFile(options.report);
  console.Signal(SIGTERM);
  ASSERT_TRUE(console.WaitForEnd(10s)) << "still running 10 s after SIGTERM";
  EXPECT_EQ(console.How(), "exit 0") << f.Stderr();
  for (const char* fault : {"malloc", "corrupt", "free()", "internal error", "Segmentation"})
    EXPECT_EQ(f.Stderr().find(fault), std::string::npos) << f.Stderr();
  // The shutdown ran: the window's rectangle went to the store.
  EXPECT_NE(e2e::ReadFile(f.store).find("MainWidth="), std::string::npos);
}
#endif

// Whatever box of the start-up is open, the signal ends the program at once
// and leaves the settings file and the stored window rectangle as they were.
TEST(ConsoleExit, EndsWithoutWritingOnSigtermWithAStartUpBoxOpen) {
  struct Case {
    const char* name;
    const char* box;
    std::function<void(const ConsoleFolders&)> spoil;
  };
  const Case cases[] = {
      {"damaged database", "",
       [](const ConsoleFolders& f) {
         e2e::WriteFile(f.home + "/Dozur.mdb", std::string(8192, '\x5a'));
       }},
      // Asked for while the saved rectangle is applied, after the load.
      {"setting missing from the settings file", "Setting 'chkAutoCallout' not found.",
       [](const ConsoleFolders& f) {
         std::string ini = e2e::ReadFile(f.home + "/VKX1300.ini");
         const std::string line = "[chkAutoCallout]=0\r\n";
         const auto at = ini.find(line);
         ASSERT_NE(at, std::string::npos);
         e2e::WriteFile(f.home + "/VKX1300.ini", ini.erase(at, line.size()));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConsoleFolders f;
    c.spoil(f);
    const std::string settings = e2e::ReadFile(f.home + "/VKX1300.ini");
    const std::string store = e2e::ReadFile(f.store);
    const auto settings_time = fs::last_write_time(f.home + "/VKX1300.ini");
    auto options = f.Options();
    e2e::ConsoleChild console(options);
    ASSERT_TRUE(console.Started());
    ASSERT_TRUE(console.WaitForBox(c.box, 30s)) << e2e::ReadFile(options.report);
    const auto signalled = std::chrono::steady_clock::now();
    console.Signal(SIGTERM);
    ASSERT_TRUE(console.WaitForEnd(5s)) << "still running 5 s after SIGTERM";
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, 3s);
    EXPECT_TRUE(console.How() == "exit 0" || console.How() == "exit 1") << console.How();
    EXPECT_EQ(e2e::ReadFile(f.home + "/VKX1300.ini"), settings);
    EXPECT_EQ(fs::last_write_time(f.home + "/VKX1300.ini"), settings_time);
    EXPECT_EQ(e2e::ReadFile(f.store), store);
    // One box: no second one from a shutdown that should not have run.
    const std::string boxes = e2e::ReadFile(options.report);
    EXPECT_EQ(boxes.find("box: "), boxes.rfind("box: ")) << boxes;
  }
}

#endif

}  // namespace
