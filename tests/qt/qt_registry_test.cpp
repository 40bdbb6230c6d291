// The settings stores in INI files.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/modem_list.h"
#include "qt/qt_registry.h"

namespace qttest {
namespace {

class QtRegistryTest : public ::testing::Test {
 protected:
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
