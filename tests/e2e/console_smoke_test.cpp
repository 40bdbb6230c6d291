// Starts the real console binary offscreen in a fresh program folder, grabs
// its main window, closes it with a termination signal and checks what the
// shutdown left on disk.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

TEST(ConsoleBinary, StartsShowsTheMainWindowAndShutsDownCleanly) {
  testkit::TempFolder temp;
  const std::string home = temp.File("home");
  const std::string config = temp.File("config");
  const std::string shot_dir = std::string(VKX_ARTIFACT_DIR) + "/screens";
  fs::create_directories(shot_dir);
  const std::string shot = shot_dir + "/main_window_started.png";
  fs::remove(shot);

  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::execl(VKX_CONSOLE_BIN, VKX_CONSOLE_BIN, "--home", home.c_str(), "--grab", shot.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  bool grabbed = WaitFor([&] { return fs::exists(shot) && fs::file_size(shot) > 0; },
                         std::chrono::seconds(30));
  EXPECT_TRUE(grabbed) << "no picture of the main window";
  ::kill(pid, SIGTERM);
  int status = 0;
  bool ended = WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; },
                       std::chrono::seconds(20));
  if (!ended) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  }
  ASSERT_TRUE(ended) << "the console did not end after SIGTERM";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

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

}  // namespace
