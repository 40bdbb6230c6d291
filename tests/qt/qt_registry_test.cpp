// The settings stores in INI files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/modem_list.h"
#include "pty_pair.h"
#include "qt/qt_registry.h"
#include "qt/qt_serial_port.h"
#include "qt_test_support.h"

namespace qttest {
namespace {

class QtRegistryTest : public ::testing::Test {
 protected:
  std::string Dir() const { return dir.path().toStdString() + "/"; }
  std::string Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }
  QTemporaryDir dir;
};

TEST_F(QtRegistryTest, ValuesSurviveReopeningTheFile) {
  {
    qtui::QtRegistry registry(Path("user.ini"));
    registry.SaveSetting("Settings", "RemotePort", "4660");
    registry.SaveSetting("Settings", "Line", "9600,n,8,1");
    registry.SaveSetting("Settings", "Unit", "-5 \xBA" "C");
    registry.SaveSetting("Ports", "COM3", "/dev/ttyUSB0");
    registry.SaveSetting("Settings", "Gone", "x");
    registry.DeleteSetting("Settings", "Gone");
  }
  qtui::QtRegistry registry(Path("user.ini"));
  EXPECT_EQ(registry.GetSetting("Settings", "RemotePort", ""), "4660");
  EXPECT_EQ(registry.GetSetting("Settings", "Line", ""), "9600,n,8,1");
  EXPECT_EQ(registry.GetSetting("Settings", "Unit", ""), "-5 \xBA" "C");
  EXPECT_EQ(registry.GetSetting("Ports", "COM3", ""), "/dev/ttyUSB0");
  EXPECT_EQ(registry.GetSetting("Settings", "Gone", "none"), "none");
  EXPECT_EQ(registry.GetSetting("Other", "RemotePort", "dflt"), "dflt");
}

// Folder names as an operator's file system holds them (UTF-8 bytes).
struct ScriptCase {
  const char* script;
  const char* folder;
};
const ScriptCase kScripts[] = {
    {"Cyrillic", "\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B"},  // Карты
    {"Greek", "\xCE\xA7\xCE\xAC\xCF\x81\xCF\x84\xCE\xB5\xCF\x82"},  // Χάρτες
    {"CJK", "\xE5\x9C\xB0\xE5\x9B\xB3"},  // 地図
};

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A map in a folder named in any script is found again, and the store
// file shows the folder's letters, not stand-ins.
TEST_F(QtRegistryTest, PathsInEveryScriptSurviveTheStoreOnARealFolder) {
  for (const ScriptCase& c : kScripts) {
    SCOPED_TRACE(c.script);
    const std::string folder = Dir() + c.folder;
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const std::string map = folder + "/lake.bmp";
    std::ofstream(map) << "BM";
    const std::string store = folder + "/user.ini";
    qtui::QtRegistry(store).SaveSetting("Settings", "CurrentMap", map);
    const std::string read = qtui::QtRegistry(store).GetSetting("Settings", "CurrentMap", "");
    EXPECT_EQ(read, map);
    EXPECT_TRUE(std::filesystem::exists(read));
    EXPECT_NE(FileBytes(store).find(std::string("CurrentMap=") + Dir() + c.folder),
              std::string::npos)
        << FileBytes(store);
  }
}

// What the console wrote through Latin-1 (a UTF-8 path byte by byte, an
// 8-bit text) reads as it did, also once the store has become UTF-8.
TEST_F(QtRegistryTest, AStoreWrittenThroughLatin1ReadsAsItDid) {
  const std::string path = Dir() + kScripts[0].folder + "/lake.bmp";
  const std::string unit = "-5 \xBA" "C";
  {
    QSettings old(QString::fromStdString(Path("user.ini")), QSettings::IniFormat);
    old.setValue("Settings/CurrentMap", QString::fromLatin1(path.data(), qsizetype(path.size())));
    old.setValue("Settings/Unit", QString::fromLatin1(unit.data(), qsizetype(unit.size())));
    old.setValue("Settings/RemotePort", "4660");
  }
  const std::string before = FileBytes(Path("user.ini"));
  {
    // Reading alone converts nothing: a start that writes nothing leaves the file.
    qtui::QtRegistry registry(Path("user.ini"));
    EXPECT_EQ(registry.GetSetting("Settings", "CurrentMap", ""), path);
  }
  EXPECT_EQ(FileBytes(Path("user.ini")), before);
  for (int opened = 0; opened < 2; ++opened) {
    SCOPED_TRACE(opened);
    qtui::QtRegistry registry(Path("user.ini"));
    EXPECT_EQ(registry.GetSetting("Settings", "CurrentMap", ""), path);
    EXPECT_EQ(registry.GetSetting("Settings", "Unit", ""), unit);
    EXPECT_EQ(registry.GetSetting("Settings", "RemotePort", ""), "4660");
    registry.SaveSetting("Settings", "V4", "1");
  }
  EXPECT_NE(FileBytes(Path("user.ini")).find(kScripts[0].folder), std::string::npos);
}

// A port mapped by hand to a device named in Cyrillic opens that device.
TEST_F(QtRegistryTest, APortMappedToACyrillicDevicePathOpensIt) {
  qtui::QtRuntime rt;
  PtyPair pty;
  ASSERT_TRUE(pty.Ok());
  const std::string link = Dir() + kScripts[0].folder;
  std::filesystem::create_symlink(pty.SlavePath(), link);
  QFile file(QString::fromStdString(Path("user.ini")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(("[Ports]\nCOM3=" + link + "\n").c_str());
  file.close();
  qtui::QtRegistry registry(Path("user.ini"));
  qtui::QtSerialPort port(registry);
  port.CommPort = 3;
  port.Settings = "9600,n,8,1";
  EXPECT_TRUE(port.SetPortOpen(true)) << port.LastError();
}

TEST_F(QtRegistryTest, HandWrittenValuesWithCommasReadWhole) {
  QFile file(QString::fromStdString(Path("user.ini")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Settings]\nLine=19200,e,7,1\n");
  file.close();
  qtui::QtRegistry registry(Path("user.ini"));
  EXPECT_EQ(registry.GetSetting("Settings", "Line", ""), "19200,e,7,1");
}

TEST_F(QtRegistryTest, MachineStoreReadsNestedKeys) {
  {
    QSettings machine(QString::fromStdString(Path("machine.ini")), QSettings::IniFormat);
    machine.setValue("System/Modems/0000/Model", "Hayes Optima 288");
    machine.setValue("System/Modems/0001/Model", "Generic 56k");
    machine.setValue("System/Info/Path", "/usr/bin/uname");
  }
  qtui::QtRegistry registry(Path("user.ini"), Path("machine.ini"));
  EXPECT_EQ(registry.MachineSubKeys("System\\Modems"), (std::vector<std::string>{"0000", "0001"}));
  EXPECT_EQ(registry.MachineValue("System\\Modems\\0001", "Model"), "Generic 56k");
  EXPECT_EQ(registry.MachineValue("System\\Info", "Path"), "/usr/bin/uname");
  EXPECT_EQ(registry.MachineValue("System\\Info", "Missing"), std::nullopt);
  EXPECT_TRUE(registry.MachineSubKeys("System\\Nothing").empty());
}

// The form docs/architecture.md gives administrators for listing a modem.
TEST_F(QtRegistryTest, AModemWrittenByHandIsListedWithItsCleanedInitString) {
  QFile file(QString::fromStdString(Path("machine.ini")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[System\\CurrentControlSet\\Services\\Class\\Modem\\0000]\n"
             "DriverDesc=Hayes Optima 288\n\n"
             "[System\\CurrentControlSet\\Services\\Class\\Modem\\0000\\Init]\n"
             "2=\"AT&FE0V1;S0=2<cr>\"\n");
  file.close();
  qtui::QtRegistry registry(Path("user.ini"), Path("machine.ini"));
  const auto modems = app::FindModems(registry);
  ASSERT_EQ(modems.size(), 2u);
  EXPECT_EQ(modems[0].name, "Hayes Optima 288");
  EXPECT_EQ(modems[0].init, "AT&FE0V1;S0=0");
  EXPECT_EQ(modems[1].name, "Default");
}

TEST_F(QtRegistryTest, NoMachineFileMeansAnEmptyMachineStore) {
  qtui::QtRegistry registry(Path("user.ini"));
  EXPECT_TRUE(registry.MachineSubKeys("System\\Modems").empty());
  EXPECT_EQ(registry.MachineValue("System\\Info", "Path"), std::nullopt);
  qtui::QtRegistry absent(Path("user.ini"), Path("missing.ini"));
  EXPECT_TRUE(absent.MachineSubKeys("System").empty());
}

TEST_F(QtRegistryTest, DefaultUserStoreIsInTheConfigFolder) {
  qtui::QtRegistry registry;
  const std::string file = registry.UserFile();
  EXPECT_NE(file.find("vkx4700/VKX-4700.ini"), std::string::npos) << file;
}

}  // namespace
}  // namespace qttest
